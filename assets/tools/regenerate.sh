#!/bin/sh
# Redraws the committed assets: background.jpg, completion.wav and duplora.ico (needs python3 and
# cjpeg from libjpeg-turbo-progs). The output is the same byte for byte on every run.
set -e
cd "$(dirname "$0")"
export PYTHONDONTWRITEBYTECODE=1
python3 make_background.py ../background.jpg
python3 make_sound.py ../completion.wav
python3 make_icon.py ../duplora.ico
