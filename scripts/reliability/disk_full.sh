#!/usr/bin/env bash
# Saves onto a disk that is full: a small tmpfs holds the old file and a filler
# that leaves 0 bytes, 1 byte, half the new file and the new file's size - 1 free.
# Every such save must fail with an error that names its step, leave the old file
# byte for byte and leave no temporary file; with room enough it succeeds.
# tmpfs hands out whole pages (4 KiB), so the space really free is rounded down:
# the figures printed are what statfs reported.
#
#   scripts/reliability/disk_full.sh [GENERALS=400]     (as root: it mounts a tmpfs)
source "$(dirname "$0")/common.sh"

generals="${1:-400}"
"$SAVER" write "$SCRATCH/old.bytes" "$generals" 1
"$SAVER" write "$SCRATCH/new.bytes" "$generals" 2
old_size=$(stat -c %s "$SCRATCH/old.bytes")
new_size=$(stat -c %s "$SCRATCH/new.bytes")
disk="$SCRATCH/disk"
mkdir "$disk"
mount -t tmpfs -o size=$(( (old_size + new_size) * 3 + 65536 )) sg8full "$disk"
trap 'umount "$disk" 2>/dev/null || true; cleanup_scratch' EXIT
target="$disk/general.bytes"

free_bytes() { echo $(( $(stat -f -c '%a' "$disk") * $(stat -f -c '%S' "$disk") )); }

# Fills the disk so that about $1 bytes stay free; prints what is really free.
leave_free() {
  rm -f "$disk/filler"
  local fill=$(( $(free_bytes) - $1 ))
  if [ "$fill" -gt 0 ]; then fallocate -l "$fill" "$disk/filler" 2>/dev/null || head -c "$fill" /dev/zero > "$disk/filler" 2>/dev/null || true; fi
  free_bytes
}

tried=0
# run_case NAME WANTED_FREE EXPECTATION(fails|saves) [--backup]
run_case() {
  local name="$1" wanted="$2" expect="$3"; shift 3
  rm -rf "${disk:?}"/* "$disk"/.[!.]* 2>/dev/null || true
  cp "$SCRATCH/old.bytes" "$target"
  local free status=0 out
  free=$(leave_free "$wanted")
  out=$("$SAVER" save "$target" "$generals" 2 "$@" 2>&1) || status=$?
  out=$(grep -v '^io ' <<<"$out" || true)
  tried=$((tried + 1))
  local leftovers
  leftovers=$(others_in "$disk" general.bytes general.bytes.bak filler | tr '\n' ' ')
  printf '  %-34s free %7d B: exit %d  %s\n' "$name" "$free" "$status" "${out#failed: }"
  [ -z "$leftovers" ] || fail "$name: left behind: $leftovers"
  if [ "$expect" = fails ]; then
    [ "$status" -eq 1 ] || fail "$name: the save should have failed"
    cmp -s "$target" "$SCRATCH/old.bytes" || fail "$name: the old file was not kept byte for byte"
    if [ -e "$target.bak" ]; then cmp -s "$target.bak" "$SCRATCH/old.bytes" || fail "$name: a partial backup"; fi
  else
    [ "$status" -eq 0 ] || fail "$name: the save should have succeeded"
    cmp -s "$target" "$SCRATCH/new.bytes" || fail "$name: the new file is not complete"
  fi
}

echo "disk full: old file $old_size bytes, new file $new_size bytes, tmpfs at $disk"
for backup in "" --backup; do
  run_case "0 bytes free ${backup}" 0 fails $backup
  run_case "1 byte free ${backup}" 1 fails $backup
  run_case "half the file free ${backup}" $(( new_size / 2 )) fails $backup
  run_case "file size - 1 free ${backup}" $(( new_size - 1 )) fails $backup
done
run_case "room for the backup only --backup" $(( old_size + 8192 )) fails --backup
run_case "room enough" $(( new_size + 8192 )) saves
run_case "room enough --backup" $(( old_size + new_size + 16384 )) saves --backup
echo "disk full: $tried saves tried, $failures went wrong, originals lost: $failures"
[ "$failures" -eq 0 ]
