#!/usr/bin/env bash
# One desktop session for the screen-reader check, run as a plain user: a
# virtual display, a D-Bus session with the accessibility bus, speech-dispatcher
# speaking through espeak-ng into a null sound device, and Orca writing every
# utterance to its debug log. Then play.py plays the game by keyboard.
#   session.sh GAME OUTDIR [play.py arguments...]
set -euo pipefail

game="$1"; out="$2"; shift 2
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$out"

export HOME="${HOME:-/home/$(id -un)}"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 LANGUAGE=ja
export XDG_RUNTIME_DIR="$(mktemp -d /tmp/orca-run-XXXXXX)"
chmod 700 "$XDG_RUNTIME_DIR"
export XDG_CONFIG_HOME="$XDG_RUNTIME_DIR/config" XDG_DATA_HOME="$XDG_RUNTIME_DIR/data"
export XDG_CACHE_HOME="$XDG_RUNTIME_DIR/cache"
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"

# espeak-ng hangs in speak() when its sound output cannot be opened: give the
# user an ALSA default device that swallows everything.
printf 'pcm.!default { type null }\n' > "$HOME/.asoundrc"

sed -e 's/^#* *AudioOutputMethod .*/AudioOutputMethod "alsa"/' \
    -e 's/^#* *DefaultModule .*/DefaultModule espeak-ng/' \
    -e 's/^#* *DefaultLanguage .*/DefaultLanguage "ja"/' \
    /etc/speech-dispatcher/speechd.conf > "$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
grep -q '^AudioOutputMethod' "$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" \
  || echo 'AudioOutputMethod "alsa"' >> "$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
grep -q '^DefaultModule' "$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" \
  || echo 'DefaultModule espeak-ng' >> "$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
ln -sfn /etc/speech-dispatcher/modules "$XDG_CONFIG_HOME/speech-dispatcher/modules"
ln -sfn /etc/speech-dispatcher/clients "$XDG_CONFIG_HOME/speech-dispatcher/clients"

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT

# A display number nobody uses.
display=77
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=":$display"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

eval "$(dbus-launch --sh-syntax)"
pids+=("$DBUS_SESSION_BUS_PID")
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$out/at-spi.log" 2>&1 &
pids+=($!)
# Toolkits read this to turn their accessibility on; Qt is also told directly.
gsettings set org.gnome.desktop.interface toolkit-accessibility true 2>/dev/null || true
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export NO_AT_BRIDGE=0 QT_QPA_PLATFORM=xcb

# A window manager, as on any desktop: it hands the focus back to the menu
# when an exercise window closes, which the screen reader follows.
openbox --sm-disable >"$out/openbox.log" 2>&1 &
pids+=($!)

# In the foreground of this session, so that it goes with it.
speech-dispatcher -s -t 0 -L "$out" >"$out/speechd.log" 2>&1 &
pids+=($!)
sleep 1

# play.py starts Orca itself, its debug log on a terminal so that every line
# arrives as it is written.
python3 "$here/play.py" --game "$game" --out "$out" "$@"
