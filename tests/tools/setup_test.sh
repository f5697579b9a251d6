#!/bin/sh
# tools/setup's two commands each build in a folder of their own, with their own
# build type, so that switching between them rebuilds nothing. The script runs
# on a copy of itself with stand-ins for cmake, ctest and the package tools that
# only record what they are asked.
#   setup_test.sh <path of tools/setup>
set -eu

setup=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/repo/tools" "$work/repo/deps" "$work/bin"
cp "$setup" "$work/repo/tools/setup"
echo "ninja-build" > "$work/repo/deps/debian-packages.txt"
log="$work/log"
: > "$log"

cat > "$work/bin/dpkg-query" <<'STUB'
#!/bin/sh
printf 'install ok installed'
STUB
cat > "$work/bin/apt-get" <<STUB
#!/bin/sh
echo "apt-get \$*" >> "$log"
STUB
# Configuring (-S <source> -B <folder> ...) leaves a program in the folder that
# says where it was started from.
cat > "$work/bin/cmake" <<STUB
#!/bin/sh
echo "cmake \$*" >> "$log"
if [ "\$1" = "-S" ]; then
    mkdir -p "\$4/src/scene"
    printf '#!/bin/sh\necho "started %s" >> "%s"\n' "\$4/src/scene/vadididod" "$log" > "\$4/src/scene/vadididod"
    chmod +x "\$4/src/scene/vadididod"
fi
STUB
cat > "$work/bin/ctest" <<STUB
#!/bin/sh
echo "ctest in \$(pwd)" >> "$log"
STUB
chmod +x "$work/bin/"*

PATH="$work/bin:$PATH" sh "$work/repo/tools/setup" run
PATH="$work/bin:$PATH" sh "$work/repo/tools/setup" test

fail() {
    echo "FAIL: $1" >&2
    echo "--- what was asked:" >&2
    cat "$log" >&2
    exit 1
}
repo=$(cd "$work/repo" && pwd)
grep -q "^cmake -S $repo -B $repo/build-run -G Ninja -DCMAKE_BUILD_TYPE=Release" "$log" ||
    fail "run configures build-run for Release"
grep -q "^cmake --build $repo/build-run\$" "$log" || fail "run builds build-run"
grep -q "^started $repo/build-run/src/scene/vadididod\$" "$log" || fail "run starts the program it built"
grep -q "^cmake -S $repo -B $repo/build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo" "$log" ||
    fail "test configures build for RelWithDebInfo"
grep -q "^ctest in $repo/build\$" "$log" || fail "test runs the tests it built"
[ "$(grep -c "^cmake -S .* -B $repo/build " "$log")" -eq 1 ] || fail "only test configures build"
grep -q "^apt-get" "$log" && fail "nothing is installed when everything is there"
echo "tools/setup: run and test each build in a folder of their own"
