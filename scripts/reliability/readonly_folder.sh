#!/usr/bin/env bash
# Saves into a folder that isn't writable, as a user without privileges (root
# ignores permission bits, so as root the script drops to "nobody"; it first
# checks that a write really fails). Each save must fail with an error that names
# its step, keep the old file byte for byte and leave nothing behind.
#
#   scripts/reliability/readonly_folder.sh [GENERALS=400]
source "$(dirname "$0")/common.sh"

generals="${1:-400}"
chmod 755 "$SCRATCH"
install -m 755 "$SAVER" "$SCRATCH/saver"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi
folder="$SCRATCH/locked"
mkdir "$folder"
# The backup history lives elsewhere, where this user may write: the save gets as
# far as the locked folder.
export SG8GEN_BACKUP_DIR="$SCRATCH/history"
mkdir "$SG8GEN_BACKUP_DIR"
if [ "$(id -u)" -eq 0 ]; then chown nobody:nogroup "$SG8GEN_BACKUP_DIR"; fi
"$SAVER" write "$SCRATCH/old.bytes" "$generals" 1
cp "$SCRATCH/old.bytes" "$folder/general.bytes"
if [ "$(id -u)" -eq 0 ]; then chown -R nobody:nogroup "$folder"; fi
chmod 644 "$folder/general.bytes"
chmod 555 "$folder"

# The folder really refuses new files to this user, while the file itself is writable.
if "${as_user[@]}" sh -c ": > '$folder/probe'" 2>/dev/null; then
  echo "readonly folder: a write into $folder succeeded as $("${as_user[@]}" id -un): no test possible" >&2
  exit 1
fi
"${as_user[@]}" test -w "$folder/general.bytes" || fail "the file itself should be writable"
echo "readonly folder: as user $("${as_user[@]}" id -un), creating a file in the folder fails; the file is writable"

tried=0
lost=0
for backup in "" --backup; do
  status=0
  out=$("${as_user[@]}" "$SCRATCH/saver" save "$folder/general.bytes" "$generals" 2 $backup 2>&1) || status=$?
  out=$(grep -v '^io ' <<<"$out" || true)
  tried=$((tried + 1))
  printf '  save %-9s exit %d  %s\n' "${backup:-}" "$status" "${out#failed: }"
  [ "$status" -eq 1 ] || fail "save $backup: should have failed"
  grep -q '创建临时文件' <<<"$out" || fail "save $backup: the error should name the step that failed"
  if ! cmp -s "$folder/general.bytes" "$SCRATCH/old.bytes"; then
    lost=$((lost + 1))
    fail "save $backup: the old file was not kept"
  fi
  leftovers=$(others_in "$folder" general.bytes | tr '\n' ' ')
  [ -z "$leftovers" ] || fail "save $backup: left behind: $leftovers"
done
echo "readonly folder: $tried saves tried, $failures checks failed, originals lost: $lost"
[ "$failures" -eq 0 ]
