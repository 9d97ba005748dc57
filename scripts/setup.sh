#!/usr/bin/env bash
# Installs, from Debian packages only, everything that building, testing and packaging the
# controller need, and 32-bit Wine (wine32:i386) for the tests of the i686 build where this
# machine's kernel runs 32-bit programs at all.
# Idempotent: when everything is already there it returns at once without touching apt.
set -euo pipefail

packages=(
  cmake ninja-build
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-x86-64-dev mingw-w64-i686-dev
  fonts-wine wine wine64 libwine
  xvfb xauth xdotool x11-apps imagemagick fonts-dejavu-core
  googletest
  clang libclang-rt-14-dev
  nsis
)
wine32_packages=(wine32:i386 wine64 libwine)

installed() {  # package...: all of them are installed (one dpkg-query: each call takes a while)
  local count
  count=$(dpkg-query -W -f='${Status}\n' "$@" 2>/dev/null | grep -c 'install ok installed' || true)
  [ "$count" -eq $# ]
}

# Whether the kernel runs 32-bit x86 programs (some kernels are built without, or boot with
# ia32_emulation=off): a 93-byte 32-bit program that only exits with 0.
kernel_runs_32_bit() {
  local probe ok=1
  probe=$(mktemp)
  # ELF header, one loadable segment at 0x08048000, then: xor ebx,ebx; mov eax,1; int 0x80.
  printf '%b' '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00' \
    '\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00' \
    '\x00\x00\x00\x00\x00\x00' \
    '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' \
    '\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' \
    '\x31\xdb\xb8\x01\x00\x00\x00\xcd\x80' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null && ok=0
  rm -f "$probe"
  return $ok
}

if installed "${packages[@]}" && { installed wine32:i386 || ! kernel_runs_32_bit; }; then
  exit 0
fi

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
apt_get() { "${sudo_cmd[@]}" apt-get "$@"; }
updated=0
update_once() {
  [ $updated -eq 1 ] || apt_get update -qq
  updated=1
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  update_once
  apt_get install -y -qq "${missing[@]}" >/dev/null
fi

if installed wine32:i386; then
  echo "setup: done"
  exit 0
fi
if ! kernel_runs_32_bit; then
  echo "setup: this kernel does not run 32-bit programs: no wine32, the i686 build cannot be tested here"
  exit 0
fi

# ---- 32-bit Wine -------------------------------------------------------------------------------
echo "setup: installing ${wine32_packages[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  updated=0
fi
if ! { [ $updated -eq 1 ] || apt_get update -qq; }; then
  # A mirror whose security suite has a broken i386 index: read only its amd64 index.
  sources=/etc/apt/sources.list.d/debian.sources
  echo "setup: apt-get update failed; reading only the amd64 index of the security suite"
  "${sudo_cmd[@]}" sed -i '/^Suites:.*-security/{/^Architectures:/!a Architectures: amd64
}' "$sources"
  apt_get update -qq
fi
updated=1

attempt() {  # apt-get install arguments...; the dry run's output in $plan
  plan=$(LANG=C apt_get install -s --allow-downgrades "$@" 2>&1) || return 1
  ! grep -q '^Remv ' <<<"$plan"
}

arguments=("${wine32_packages[@]}")
if ! attempt "${arguments[@]}"; then
  # Multi-Arch "same" libraries need one version on both architectures. Where the amd64 one came
  # from a newer index than any i386 one, pin the amd64 package to the version both have, for
  # the libraries that wine32 pulls in; then upgrade or pin, rather than remove, whatever
  # depends on the pinned versions.
  echo "setup: pinning amd64 libraries to the versions their i386 twins have"
  closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
            --no-replaces --no-enhances wine32:i386 | sed -n 's/^\([^ <][^:]*\):i386$/\1/p' | sort -u)
  mapfile -t same < <(dpkg-query -W -f='${Package} ${Architecture} ${Multi-Arch} ${db:Status-Abbrev}\n' |
                      awk '$2 == "amd64" && $3 == "same" && $4 ~ /^ii/ {print $1}' | sort | comm -12 - <(echo "$closure"))
  declare -A source_version=()
  for p in "${same[@]}"; do
    amd64=$(apt-cache policy "$p:amd64" | awk '/Candidate:/ {print $2}')
    i386=$(apt-cache policy "$p:i386" | awk '/Candidate:/ {print $2}')
    if [ -n "$i386" ] && [ "$i386" != "(none)" ] && [ "$i386" != "$amd64" ] &&
       apt-cache madison "$p" | awk -v v="$i386" '$3 == v && / amd64 / {f = 1} END {exit !f}'; then
      arguments+=("$p:amd64=$i386")
      source_version[$(dpkg-query -W -f='${source:Package}' "$p:amd64")]=$i386
    fi
  done
  for _ in 1 2 3 4 5 6; do
    attempt "${arguments[@]}" && break
    removed=$(sed -n 's/^Remv \([^ ]*\) .*/\1/p' <<<"$plan")
    [ -n "$removed" ] || break
    for r in $removed; do
      v=${source_version[$(dpkg-query -W -f='${source:Package}' "$r")]:-}
      if [ -n "$v" ] && apt-cache madison "$r" | awk -v v="$v" '$3 == v {f = 1} END {exit !f}'; then
        arguments+=("$r:amd64=$v")
      else
        arguments+=("$r")
      fi
    done
  done
  if ! attempt "${arguments[@]}"; then
    echo "setup: wine32 cannot be installed here; the i686 build cannot be tested. apt said:" >&2
    grep -E '^(E:| |Remv)' <<<"$plan" | head -20 >&2
    exit 0
  fi
fi
# One command, so that the 64-bit wine is never missing for long.
apt_get install -y -qq --allow-downgrades "${arguments[@]}" >/dev/null
if ! WINEDEBUG=-all wine --version >/dev/null 2>&1; then
  echo "setup: wine does not start with wine32 installed; removing wine32 again" >&2
  apt_get remove -y -qq wine32:i386 >/dev/null
fi
echo "setup: done"
