# Sourced by the bench pieces that run the Windows programs under Wine.
# Finds out which build runs on this machine (wine_detect: the i686 programs
# where Wine runs 32-bit code, else their x86_64 build) and sets
#   WBUILD   its Release build folder, $BUILD/release-$WINBITS_DIR
# then offers:
#   wine_build PIECE TARGET...   builds the targets there; ends the piece
#                                with a message when that fails
#   release_build DIR TOOLCHAIN [CMAKE-ARG...] -- TARGET...
#                                any other Release build
#   wine_bench_start [TOP]       Xvfb and a Wine prefix (in TOP, else
#                                $BUILD), stopped when the piece ends
#   winpath, free_port, best     a Unix path as Wine's Z: path, a port where
#                                nothing listens, the least of some numbers
: "${ROOT:?}" "${BUILD:?}" "${BENCH_TMP:?}"
# shellcheck source=../../wine-env.sh
. "$ROOT/scripts/wine-env.sh"
wine_detect || exit 1
WBUILD=$BUILD/release-$WINBITS_DIR

release_build() {
  local dir=$1 toolchain=$2 args=()
  shift 2
  while [ "$1" != -- ]; do args+=("$1"); shift; done
  shift
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${args[@]}" >/dev/null &&
    cmake --build "$dir" -j"$(nproc)" --target "$@" -- --no-print-directory >/dev/null
}

wine_build() {
  local piece=$1
  shift
  release_build "$WBUILD" "$(wine_toolchain)" -- "$@" || { echo "$piece: cross build failed"; exit 1; }
}

wine_bench_start() {
  trap wine_env_stop EXIT
  BUILD=${1:-$BUILD} wine_env_start
}

winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
best() { python3 -c "import sys; print(min(float(x) for x in sys.argv[1:]))" "$@"; }
