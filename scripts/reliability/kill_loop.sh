#!/usr/bin/env bash
# Kills a process that is saving a large file with SIGKILL (kill -9) at random
# moments of its file operations, again and again. After each kill the save path
# must hold exactly the old or the new bytes, and the backup (asked for every
# other time) exactly the old bytes or what it held before the save.
#
#   scripts/reliability/kill_loop.sh [KILLS=1000] [GENERALS=2000]
#
# timeout(1) starts the saver and sends it the SIGKILL itself, from a timer, at a
# delay drawn uniformly from the span in which the saver's file operations ran in
# a few undisturbed saves (a little wider on both sides).
source "$(dirname "$0")/common.sh"

kills="${1:-1000}"
generals="${2:-2000}"
folder="$SCRATCH/save"
target="$folder/general.bytes"
mkdir -p "$folder" "$SCRATCH/ref"
"$SAVER" write "$SCRATCH/ref/old.bytes" "$generals" 1
"$SAVER" write "$SCRATCH/ref/new.bytes" "$generals" 2
printf 'an older backup\n' > "$SCRATCH/ref/stale.bak"

# When, in microseconds after the saver starts, its file operations begin and end.
starts=() ends=()
for _ in 1 2 3 4 5; do
  cp "$SCRATCH/ref/old.bytes" "$target"
  launched=$(( $(date +%s%N) / 1000 ))
  out=$("$SAVER" save "$target" "$generals" 2 --backup)
  starts+=("$(( $(sed -n 's/^io //p' <<<"$out") - launched ))")
  ends+=("$(( $(sed -n 's/^saved //p' <<<"$out") - launched ))")
done
median() { printf '%s\n' "$@" | sort -n | sed -n 3p; }
io_start=$(median "${starts[@]}")
io_end=$(median "${ends[@]}")
span=$(( io_end - io_start ))
from=$(( io_start - span / 10 ))
width=$(( span * 12 / 10 ))
echo "kill loop: $kills kills of a save of a $(stat -c %s "$SCRATCH/ref/new.bytes")-byte file;" \
     "its file operations run from $((io_start / 1000)) to $((io_end / 1000)) ms after it starts"

old=0 new=0 finished=0 temporaries=0 backup_old=0 backup_before=0 lost=0
for ((i = 1; i <= kills; i++)); do
  rm -f "$folder"/* "$folder"/.[!.]* 2>/dev/null || true
  cp "$SCRATCH/ref/old.bytes" "$target"
  backup_flag=()
  if (( i % 2 == 0 )); then
    backup_flag=(--backup)
    cp "$SCRATCH/ref/stale.bak" "$target.bak"
  fi
  delay=$(( from + (RANDOM * 32768 + RANDOM) % width ))
  status=0
  timeout --foreground -s KILL "$(printf '%d.%06d' $((delay / 1000000)) $((delay % 1000000)))" \
    "$SAVER" save "$target" "$generals" 2 "${backup_flag[@]}" > /dev/null || status=$?
  [ "$status" -eq 0 ] && finished=$((finished + 1))

  if cmp -s "$target" "$SCRATCH/ref/old.bytes"; then
    old=$((old + 1))
  elif cmp -s "$target" "$SCRATCH/ref/new.bytes"; then
    new=$((new + 1))
  else
    lost=$((lost + 1))
    fail "kill $i: the save path holds neither the old nor the new bytes"
  fi
  if (( i % 2 == 0 )); then
    if cmp -s "$target.bak" "$SCRATCH/ref/old.bytes"; then
      backup_old=$((backup_old + 1))
    elif cmp -s "$target.bak" "$SCRATCH/ref/stale.bak"; then
      backup_before=$((backup_before + 1))
    else
      fail "kill $i: the backup holds neither the old bytes nor what it held before"
    fi
  elif [ -e "$target.bak" ]; then
    fail "kill $i: a backup appeared though none was asked for"
  fi
  left=$(others_in "$folder" general.bytes general.bytes.bak | wc -l)
  temporaries=$((temporaries + left))
done

echo "kill loop: $kills kills: save path old $old, new $new, lost $lost;" \
     "backup old $backup_old, as before $backup_before (of $((kills / 2)) asked for);" \
     "saves that ended before their kill $finished; temporary files left by a kill $temporaries"
[ "$failures" -eq 0 ]
