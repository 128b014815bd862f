# Shared by the end-to-end scripts, sourced after the program was started: needs $pid (the
# program), $folder (its folder, which holds its log), $here (this folder) and $atspi (non-empty
# when the accessibility bus answers); $main once the main window is open.

Fail() {
    echo "e2e FAILED: $*"
    import -window root /tmp/e2e-failed.png 2>/dev/null && echo "screen: /tmp/e2e-failed.png"
    cat "$folder/log"
    exit 1
}
# Retries a check for up to 5 seconds, so a slow machine only makes the test slower.
Until() { local i; for i in $(seq 1 50); do if "$@"; then return 0; fi; sleep 0.1; done; return 1; }

WaitForWindows() { # count
    local i
    for i in $(seq 1 100); do
        local n
        n=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l || true)
        if [ "$n" -ge "$1" ]; then return 0; fi
        sleep 0.1
    done
    return 1
}
Windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }

Decode() { # marker file -> its format text
    python3 -c 'import sys; d=open(sys.argv[1],"rb").read(); print(bytes((b-0x37)%256 for b in d).split(b"\0")[0].decode("gb18030"))' "$1"
}
Plain() { # marker file -> the plain text of its introduction
    Decode "$1" | python3 -c '
import sys
out = ""
for line in sys.stdin.read().split("\r\n"):
    f = line.split("<vorn>")
    t = f[3] if len(f) == 6 else f[1] if len(f) == 2 else ""
    out += "\n" if t == "huanhang" else t
print(out)'
}
# Whether a screen reader sees this text anywhere in the program's windows. (grep reads all of
# it: one that stops at the first match fails the pipe under pipefail.)
Reads() { [ -z "$atspi" ] || "$here/atspi-texts" | grep -F "$1" >/dev/null; }

# The client area's place on the screen (a window manager's frame reparents the window, so its
# own geometry would be relative to the frame).
Origin() {
    X=$(xwininfo -id "$main" | awk '/Absolute upper-left X/ {print $4}')
    Y=$(xwininfo -id "$main" | awk '/Absolute upper-left Y/ {print $4}')
}
Pixel() { # window x, y -> #RRGGBB
    import -window root "$folder/shot.png"
    convert "$folder/shot.png" -crop "1x1+$((X + $1))+$((Y + $2))" -depth 8 txt:- | tail -1 | grep -o "#[0-9A-F]\{6\}"
}
# Chinese goes in through the clipboard and Ctrl+V: `xdotool type` sends it through a remapped
# key code, which now and then loses a character.
clip=""
ClipboardHolds() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
Paste() { # text: onto the clipboard, then Ctrl+V where the keyboard focus is
    if [ -n "$clip" ]; then kill "$clip" 2>/dev/null || true; wait "$clip" 2>/dev/null || true; fi
    printf %s "$1" | xclip -quiet -selection clipboard >/dev/null 2>&1 &
    clip=$!
    Until ClipboardHolds "$1" || Fail "the clipboard does not take '$1'"
    xdotool key ctrl+v
    sleep 0.3
}
