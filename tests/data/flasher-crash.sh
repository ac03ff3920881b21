#!/bin/sh
echo 'Connecting....'
kill -9 $$
