#!/usr/bin/env bash
# Runs the README's test command (bash scripts/setup.sh && bash scripts/test.sh) on a minimal Debian 12
# root made with debootstrap, with nothing installed by hand, to show that scripts/setup.sh installs
# everything the tests need. Run as root on a Debian host that can reach its apt mirror.
#
# It checks the committed HEAD of the checkout this script lives in (cloned with git): uncommitted
# changes are not checked.
#
# Settings (environment):
#   FRESH_CHECK_WORK      folder of the working root, removed again at the end
#                         (default /var/tmp/pellon-fresh-check)
#   FRESH_CHECK_CACHE     folder of the pristine root's tarball, kept between runs
#                         (default /var/cache/pellon-fresh-check)
#   FRESH_CHECK_MAX_AGE   days after which the pristine root is bootstrapped again (default 7)
# Exits with the test command's status (or 2 when the root cannot be prepared) and prints a verdict.
set -euo pipefail

suite=bookworm
work=${FRESH_CHECK_WORK:-/var/tmp/pellon-fresh-check}
cache=${FRESH_CHECK_CACHE:-/var/cache/pellon-fresh-check}
max_age=${FRESH_CHECK_MAX_AGE:-7}
need_work_gb=20
need_cache_gb=2

boot= root=

say() { echo "fresh-check: $*"; }
elapsed() {
  local s=$(($(date +%s) - started))
  printf '%dm %02ds' $((s / 60)) $((s % 60))
}
fail() {
  say "FAILED before the tests: $* (after $(elapsed))" >&2
  exit 2
}
free_gb() { df --output=avail -BG "$1" | tail -n 1 | tr -dc 0-9; }

# The host's apt sources as "uri suite components" lines, from one-line .list files and deb822 .sources
# files alike; only binary ("deb") sources that are not disabled.
host_sources() {
  local files=()
  shopt -s nullglob
  files=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources)
  shopt -u nullglob
  for f in "${files[@]}"; do
    [ -f "$f" ] || continue
    if [[ $f == *.sources ]]; then
      awk '
        function flush() {
          if (types ~ /(^| )deb( |$)/ && enabled != "no")
            for (i = 1; i <= nu; i++) for (j = 1; j <= ns; j++) print uris[i], suites[j], comps
          types = ""; enabled = ""; comps = ""; nu = 0; ns = 0
        }
        /^[ \t]*#/ { next }
        /^[ \t]*$/ { flush(); next }
        /^[ \t]/ { next }
        {
          key = tolower($1); sub(/:$/, "", key)
          $1 = ""; sub(/^ +/, "")
          if (key == "types") types = $0
          else if (key == "enabled") enabled = tolower($0)
          else if (key == "uris") nu = split($0, uris, " ")
          else if (key == "suites") ns = split($0, suites, " ")
          else if (key == "components") comps = $0
        }
        END { flush() }' "$f"
    else
      sed -e 's/#.*//' -e 's/\[[^]]*\]//' "$f" | awk '$1 == "deb" && NF >= 4 {
        line = $2 " " $3; for (i = 4; i <= NF; i++) line = line " " $i; print line }'
    fi
  done
}

# Stops what still runs in a root, unmounts what is mounted under it (deepest first) and removes it;
# a root that cannot be unmounted is left in place rather than emptied.
mounts_under() { awk -v r="$1" '$5 == r || index($5, r "/") == 1 { print $5 }' /proc/self/mountinfo; }
discard() {
  local dir=$1 pid m
  [ -n "$dir" ] && [ -d "$dir" ] || return 0
  for pid in /proc/[0-9]*; do
    [ "$(readlink "$pid/root" 2>/dev/null)" = "$dir" ] && kill -KILL "${pid#/proc/}" 2>/dev/null
  done
  for m in $(mounts_under "$dir" | sort -r); do
    umount "$m" 2>/dev/null || umount -l "$m"
  done
  if [ -n "$(mounts_under "$dir")" ]; then
    say "left $dir in place: something is still mounted under it" >&2
  else
    rm -rf --one-file-system "$dir" "$dir.log"
  fi
}
cleanup() {
  local rc=$?
  set +e
  discard "$boot"
  discard "$root"
  exit $rc
}

# The whole run is one function, read in full before it starts: a checkout that changes while the
# tests run (editing, a git checkout) cannot change what this script does next.
main() {
  started=$(date +%s)
  repo=$(cd "$(dirname "$0")/.." && pwd)

  [ "$(id -u)" -eq 0 ] || fail "must run as root (debootstrap, mount and chroot)"
  head=$(git -C "$repo" rev-parse HEAD)
  [ -z "$(git -C "$repo" status --porcelain --untracked-files=no)" ] ||
    say "note: the checkout has uncommitted changes; they are not checked (HEAD ${head:0:10} is)"

  mkdir -p "$work" "$cache"
  [ "$(free_gb "$work")" -ge $need_work_gb ] || fail "less than $need_work_gb GB free in $work"
  [ "$(free_gb "$cache")" -ge $need_cache_gb ] || fail "less than $need_cache_gb GB free in $cache"

  if ! command -v debootstrap >/dev/null 2>&1; then
    say "installing debootstrap on this machine"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null ||
      { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap; }
  fi

  sources=$(host_sources)
  mirror=$(awk -v s=$suite '$2 == s { for (i = 3; i <= NF; i++) if ($i == "main") { print $1; exit } }' \
    <<<"$sources")
  [ -n "$mirror" ] || fail "no '$suite main' source in this machine's apt sources"
  # The root gets the release, its updates and its security fixes from the host's own sources, main only,
  # so that it reaches the package versions the host would install.
  root_sources=$(awk -v s=$suite '($2 == s || $2 == s "-updates" || $2 == s "-security") {
    for (i = 3; i <= NF; i++) if ($i == "main") { print "deb " $1 " " $2 " main"; break } }' <<<"$sources")
  include=()
  [[ $mirror != https:* ]] || include=(--include=ca-certificates)

  trap cleanup EXIT
  trap 'exit 130' INT TERM

  # The pristine root, bootstrapped once and kept as a tarball; a lock keeps concurrent runs from
  # building it twice. A new mirror or an old tarball means a new bootstrap.
  tarball=$cache/$suite-minbase-$(dpkg --print-architecture).tar
  stamp=$tarball.mirror
  exec 9>"$cache/lock"
  flock 9
  if [ ! -s "$tarball" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$mirror" ] ||
    [ -n "$(find "$tarball" -mtime +"$max_age")" ]; then
    say "bootstrapping a minimal $suite root from $mirror"
    boot=$(mktemp -d "$work/bootstrap.XXXXXX")
    chmod 755 "$boot"
    if ! debootstrap --variant=minbase "${include[@]}" "$suite" "$boot" "$mirror" >"$boot.log" 2>&1; then
      tail -n 20 "$boot.log" >&2
      fail "debootstrap failed"
    fi
    tar -C "$boot" --numeric-owner -cf "$tarball.tmp" .
    mv "$tarball.tmp" "$tarball"
    echo "$mirror" >"$stamp"
    discard "$boot"
    boot=
  fi
  flock -u 9

  root=$(mktemp -d "$work/root.XXXXXX")

  say "unpacking the pristine root into $root"
  tar -C "$root" --numeric-owner -xpf "$tarball"
  # A root's "/" is open to every user (mktemp made it private), as apt's download user needs.
  chmod 755 "$root"
  printf '%s\n' "$root_sources" >"$root/etc/apt/sources.list"
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
  # Services that packages would start stay stopped: nothing may outlive the chroot and hold its mounts.
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
  chmod 755 "$root/usr/sbin/policy-rc.d"

  say "cloning ${head:0:10} of $repo"
  git clone --quiet --no-hardlinks "$repo" "$root/root/pellon"
  git -C "$root/root/pellon" -c advice.detachedHead=false checkout --quiet --detach "$head"

  # The mounts the build and the tests use. The bind mounts are made private so that nothing mounted
  # below them reaches the host's own /dev.
  mount -t proc proc "$root/proc"
  mount -t sysfs -o ro sysfs "$root/sys"
  mount --bind /dev "$root/dev"
  mount --make-private "$root/dev"
  mount --bind /dev/pts "$root/dev/pts"
  mount --make-private "$root/dev/pts"
  mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$root/dev/shm"

  say "running the test command in the root (as root, clean environment)"
  set +e
  chroot "$root" /usr/bin/env -i \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    TERM="${TERM:-dumb}" \
    /bin/bash -c 'cd /root/pellon && bash scripts/setup.sh && bash scripts/test.sh'
  status=$?
  set -e

  if [ $status -eq 0 ]; then
    say "PASSED on a fresh $suite root, commit ${head:0:10}, in $(elapsed)"
  else
    say "FAILED (status $status) on a fresh $suite root, commit ${head:0:10}, after $(elapsed)"
  fi
  exit $status
}

main "$@"
