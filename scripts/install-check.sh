#!/usr/bin/env bash
# Builds the libraries and programs as a user does (Release, no tests or benches) with
# warnings as errors, installs them into a staging prefix (build-release/stage) and builds
# and runs the out-of-tree example against it twice: through the CMake package and
# through pkg-config, then the two programs of the getting-started guide. It also checks
# that bin/ holds exactly the five programs and no empty folder is installed. Extra
# arguments go to the library's cmake.
set -euo pipefail
cd "$(dirname "$0")/.."

JOBS="${JOBS:-$(nproc)}"
BUILD_DIR="${BUILD_DIR:-build-release}"

bash scripts/install-deps.sh

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZU_WERROR=ON -DZU_TESTS=OFF -DZU_BENCH=OFF "$@"
cmake --build "$BUILD_DIR" -j "$JOBS"

stage="$PWD/$BUILD_DIR/stage"
rm -rf "$stage"
cmake --install "$BUILD_DIR" --prefix "$stage" >/dev/null
# The five programs the README lists, and nothing else in bin/.
programs="quillorn-display quillorn-send zu-render zu-stream zu-view"
for program in $programs; do
  "$stage/bin/$program" --version >/dev/null
done
[ "$(ls "$stage/bin" | sort | tr '\n' ' ')" = "$(echo $programs | tr ' ' '\n' | sort | tr '\n' ' ')" ] ||
  { echo "install-check: bin/ holds $(ls "$stage/bin" | tr '\n' ' ')"; exit 1; }
# Every installed folder holds something.
empty="$(find "$stage" -type d -empty)"
[ -z "$empty" ] || { echo "install-check: empty folders installed:"; echo "$empty"; exit 1; }

example="$PWD/$BUILD_DIR/example"
cmake -S examples/hello_scene -B "$example" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$stage" \
  -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror"
cmake --build "$example" -j "$JOBS"
rm -f "$example/hello_scene.png"
"$example/hello_scene" "$example/hello_scene.png"
# A PNG file starts with its eight-byte signature.
[ "$(head -c 8 "$example/hello_scene.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ]

# The same program through pkg-config, as a Makefile user would build it.
pcdir="$(dirname "$(find "$stage" -name quillorn.pc | head -n 1)")"
# shellcheck disable=SC2046
c++ -O1 -Wall -Wextra -Werror examples/hello_scene/main.cpp -o "$example/hello_scene_pc" \
  $(PKG_CONFIG_PATH="$pcdir" pkg-config --cflags --libs quillorn)
"$example/hello_scene_pc" "$example/hello_scene_pc.png" >/dev/null
cmp -s "$example/hello_scene.png" "$example/hello_scene_pc.png" || { echo "install-check: the two builds differ"; exit 1; }
# The two programs of docs/getting-started.md, run without a display: each clicks its
# button twice and writes the frame.
for name in first_window scene_file; do
  dir="$PWD/$BUILD_DIR/example-$name"
  cmake -S "examples/$name" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$stage" \
    -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror"
  cmake --build "$dir" -j "$JOBS"
  rm -f "$dir/$name.png"
  if [ "$name" = scene_file ]; then
    "$dir/$name" examples/scene_file/first_window.txt --headless "$dir/$name.png"
  else
    "$dir/$name" --headless "$dir/$name.png"
  fi
  [ "$(head -c 8 "$dir/$name.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ]
done
echo "install-check: staged install in $stage; the examples built and ran"
