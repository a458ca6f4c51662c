#!/usr/bin/env bash
# Kills a process that is saving a large file with SIGKILL (kill -9) at random
# moments of its file operations, again and again. After each kill the save path
# must hold exactly the old or the new bytes, the backup (asked for every other
# time) exactly the old bytes or what it held before the save, and the backup
# history either nothing or the old bytes whole: never a partial version.
#
#   scripts/reliability/kill_loop.sh [KILLS=1000] [GENERALS=2000]
#
# Each kill comes at a delay after the saver says its file operations begin, drawn
# uniformly from the time those operations took in a few undisturbed saves of the
# same kind (with a backup or without). The delay is waited for inside bash
# (read -t), so that no process start sits between the saver's word and the kill.
source "$(dirname "$0")/common.sh"

kills="${1:-1000}"
generals="${2:-2000}"
folder="$SCRATCH/save"
target="$folder/general.bytes"
export SG8GEN_BACKUP_DIR="$SCRATCH/history"
mkdir -p "$folder" "$SCRATCH/ref"
"$SAVER" write "$SCRATCH/ref/old.bytes" "$generals" 1
"$SAVER" write "$SCRATCH/ref/new.bytes" "$generals" 2
printf 'an older backup\n' > "$SCRATCH/ref/stale.bak"

# How long the file operations of a save take, from the first to the end, with a
# backup and without: the median of five saves each.
span_of() {
  local spans=() out
  for _ in 1 2 3 4 5; do
    rm -rf "$SG8GEN_BACKUP_DIR"
    cp "$SCRATCH/ref/old.bytes" "$target"
    out=$("$SAVER" save "$target" "$generals" 2 "$@")
    spans+=("$(( $(sed -n 's/^saved //p' <<<"$out") - $(sed -n 's/^io //p' <<<"$out") ))")
  done
  printf '%s\n' "${spans[@]}" | sort -n | sed -n 3p
}
span_backup=$(span_of --backup)
span_plain=$(span_of)
echo "kill loop: $kills kills of a save of a $(stat -c %s "$SCRATCH/ref/new.bytes")-byte file;" \
     "its file operations take $((span_backup / 1000)) ms with a backup, $((span_plain / 1000)) ms without"

# A pipe nobody writes to: reading it with a timeout is a sleep without a new process.
mkfifo "$SCRATCH/never"
exec {never}<>"$SCRATCH/never"

# The kill comes late on a busy machine: how much of the span the delay may take
# (in thousandths) shrinks whenever a save ends before its kill and grows back
# otherwise, so that about a quarter of the saves end first, whatever the load.
reach=1000
old=0 new=0 finished=0 temporaries=0 backup_old=0 backup_before=0 lost=0 kept=0 partial=0 history_temporaries=0
for ((i = 1; i <= kills; i++)); do
  rm -f "$folder"/* "$folder"/.[!.]* 2>/dev/null || true
  rm -rf "$SG8GEN_BACKUP_DIR"
  cp "$SCRATCH/ref/old.bytes" "$target"
  backup_flag=()
  span=$span_plain
  if (( i % 2 == 0 )); then
    backup_flag=(--backup)
    span=$span_backup
    cp "$SCRATCH/ref/stale.bak" "$target.bak"
  fi
  delay=$(( (RANDOM * 32768 + RANDOM) % (span * reach / 1000 + 1) ))
  coproc SAVER_RUN { exec "$SAVER" save "$target" "$generals" 2 "${backup_flag[@]}"; }
  pid=$SAVER_RUN_PID
  read -r _ <&"${SAVER_RUN[0]}" || true
  read -r -t "$(printf '%d.%06d' $((delay / 1000000)) $((delay % 1000000)))" -u "$never" _ || true
  kill -9 "$pid" 2>/dev/null || true
  status=0
  wait "$pid" 2>/dev/null || status=$?
  if [ "$status" -eq 0 ]; then
    finished=$((finished + 1))
    reach=$(( reach * 95 / 100 > 100 ? reach * 95 / 100 : 100 ))
  else
    reach=$(( reach * 102 / 100 < 1000 ? reach * 102 / 100 : 1000 ))
  fi

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

  # The history: at most one version, the old file whole; a killed copy leaves at
  # most a temporary file, never a version.
  versions=0
  for history in "$SG8GEN_BACKUP_DIR"/*/; do
    [ -d "$history" ] || continue
    for name in $(ls -A "$history"); do
      case "$name" in
        [0-9]*.bytes)
          versions=$((versions + 1))
          if ! cmp -s "$history$name" "$SCRATCH/ref/old.bytes"; then
            partial=$((partial + 1))
            fail "kill $i: a partial version $name in the history"
          fi ;;
        .*.tmp) history_temporaries=$((history_temporaries + 1)) ;;
        *) fail "kill $i: $name in the history" ;;
      esac
    done
  done
  [ "$versions" -le 1 ] || fail "kill $i: $versions versions for one save"
  kept=$((kept + versions))
done

echo "kill loop: $kills kills: save path old $old, new $new, lost $lost;" \
     "backup old $backup_old, as before $backup_before (of $((kills / 2)) asked for);" \
     "saves that ended before their kill $finished; temporary files left by a kill $temporaries;" \
     "history: the old file kept whole $kept times, partial versions $partial, temporary files $history_temporaries"
[ "$failures" -eq 0 ]
