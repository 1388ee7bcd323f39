#!/usr/bin/env bash
# What the set-up does where it cannot simply install: it waits, saying so, while another program
# holds the package manager's lock, and on a system without apt-get it names what is missing and
# lets the build go on.
set -euo pipefail
scripts="$(cd "$(dirname "$0")/../../scripts" && pwd)"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

# Another program holds a lock as apt does (fcntl); the wait names it, and ends only when it lets go.
lock="$scratch/lock-frontend"
coproc holder { exec perl -e 'use Fcntl; open(my $f, ">", $ARGV[0]) or die;
  my $l = pack("s s x4 q q i x4", F_WRLCK, 0, 0, 0, 0); fcntl($f, F_SETLK, $l) or die; $| = 1; print "held\n"; <STDIN>;' "$lock"; }
holder_pid=$holder_PID
read -r held <&"${holder[0]}"
[ "$held" = held ] || fail "the holder did not take the lock"
exec 5< <(exec "$scripts/wait-for-package-manager.pl" "$scratch/no-such-lock" "$lock")
waiter=$!
read -r said <&5
[[ "$said" == "Waiting for the package manager: perl (process $holder_pid) is using it" ]] || fail "the wait said [$said]"
kill -0 "$waiter" 2>/dev/null || fail "the wait ended while the lock was held"
exec {holder[1]}>&-
wait "$holder_pid" || true
if read -r more <&5; then fail "the wait said more: [$more]"; fi
wait "$waiter" || fail "the wait failed once the lock was free"

# No apt-get: the missing pkg-config modules and commands are named, and the build goes on.
mkdir "$scratch/bin" "$scratch/pkgconfig"
ln -s /usr/bin/* "$scratch/bin/"
rm "$scratch/bin/apt-get" "$scratch/bin/make"
said=$(PATH="$scratch/bin" PKG_CONFIG_LIBDIR="$scratch/pkgconfig" "$scripts/setup.sh" play) || fail "setup.sh play failed with no apt-get"
[[ "$said" == *"pkg-config modules: sdl2, "*"wayland-client"* ]] || fail "no apt-get: the modules are not named: [$said]"
[[ "$said" == *"commands: make"* ]] || fail "no apt-get: make is not named: [$said]"
[[ "$said" == *"The build goes on with what is there."* ]] || fail "no apt-get: [$said]"

[ "$failures" -eq 0 ] && echo "the set-up's lock wait and its list without apt-get: as expected"
[ "$failures" -eq 0 ]
