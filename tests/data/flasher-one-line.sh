#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# 1 MB on one line without a line feed, then "end".
head -c 1048576 /dev/zero | tr '\0' x
printf 'end'
