#!/bin/sh
# 10 MB of output, as fast as the pipe takes it.
yes 'Writing at 0x00010000... (50 %)' | head -c 10485760
