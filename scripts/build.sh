#!/usr/bin/env bash
# Builds Quorvel and then starts it (run), runs every test (test), runs the
# benchmarks (bench), makes its Debian package (package), or cross-builds,
# packages and tests it for Windows under Wine (windows). Missing Debian
# packages are installed first when this runs as root.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-run}
build_dir=${QUORVEL_BUILD_DIR:-build}

run_packages=(cmake make g++ qt6-base-dev libgl-dev fonts-dejavu-core)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev libcurl4-openssl-dev
    xvfb xdotool xclip openbox x11-utils)
sanitizer_packages=(clang-14 libclang-rt-14-dev libfuzzer-14-dev)
package_packages=(dpkg-dev file lintian desktop-file-utils appstream man-db)

windows_packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 fonts-wine nsis
    ninja-build dpkg-dev qt6-base-dev-tools unzip)

source scripts/packages.sh
# Without root the build goes on with what is there.
install_packages() { install_missing "$@" || true; }

configure_and_build() {
    cmake -S . -B "$build_dir" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$build_dir" -j "$(nproc)"
}

# The engine, the shell rules and the filter once more, built by clang with
# ASan and UBSan in a folder of their own, and the fuzz targets, which run
# QUORVEL_FUZZ_SECONDS each (default 60).
sanitized_checks() {
    local dir="${build_dir}-asan"
    cmake -S . -B "$dir" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++-14 -DQUORVEL_SANITIZE=ON -DQUORVEL_BUILD_BENCHMARKS=OFF \
        -DQUORVEL_FUZZ_SECONDS="${QUORVEL_FUZZ_SECONDS:-60}" >/dev/null
    cmake --build "$dir" -j "$(nproc)" --target quorvel_sanitized_checks
    (cd "$dir" && ctest -L sanitized --output-on-failure -j "$(nproc)")
    awk '/ Testing: fuzz_/ { target = $3 }
        /number_of_executed_units/ { print target ": " $2 " executions" }' \
        "$dir/Testing/Temporary/LastTest.log"
}

case "$mode" in
run)
    install_packages "${run_packages[@]}"
    configure_and_build -DQUORVEL_BUILD_TESTS=OFF -DQUORVEL_BUILD_BENCHMARKS=OFF
    exec "$build_dir/app/Quorvel"
    ;;
test)
    install_packages "${run_packages[@]}" "${test_packages[@]}" "${sanitizer_packages[@]}" \
        "${package_packages[@]}"
    configure_and_build -DQUORVEL_BUILD_TESTS=ON -DQUORVEL_BUILD_BENCHMARKS=ON
    sanitized_checks
    cd "$build_dir"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
    ;;
bench)
    install_packages "${run_packages[@]}" "${test_packages[@]}"
    configure_and_build -DQUORVEL_BUILD_TESTS=OFF -DQUORVEL_BUILD_BENCHMARKS=ON
    for benchmark in "$build_dir"/bench/quorvel_bench_*; do
        QT_QPA_PLATFORM=offscreen "$benchmark" "${@:2}"
    done
    bench/cli_throughput.sh "$build_dir"
    ;;
package)
    install_packages "${run_packages[@]}" "${package_packages[@]}"
    build_dir=${QUORVEL_BUILD_DIR:-build-package}
    configure_and_build -DQUORVEL_BUILD_TESTS=OFF -DQUORVEL_BUILD_BENCHMARKS=OFF
    rm -f "$build_dir"/*.deb
    (cd "$build_dir" && cpack -G DEB)
    ;;
windows)
    install_packages "${run_packages[@]}" "${test_packages[@]}" "${windows_packages[@]}"
    # The Linux filter, to compare the Windows one with.
    cmake -S . -B "$build_dir" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build_dir" -j "$(nproc)" --target quorvel-translate
    ./scripts/windows-qt.sh
    windows_dir=$build_dir-windows
    cmake -S . -B "$windows_dir" -G "Unix Makefiles" \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
        -DCMAKE_PREFIX_PATH="$(./scripts/windows-qt.sh --prefix)" -DQT_HOST_PATH=/usr \
        -DQUORVEL_BUILD_TESTS=ON -DQUORVEL_BUILD_BENCHMARKS=OFF \
        -DQUORVEL_HOST_TRANSLATE="$PWD/$build_dir/tools/quorvel-translate/quorvel-translate" \
        >/dev/null
    cmake --build "$windows_dir" -j "$(nproc)"
    (cd "$windows_dir" && cpack >/dev/null && ls -1 Quorvel-*-windows-x64.*)
    cd "$windows_dir"
    ctest --output-on-failure
    ;;
*)
    echo "usage: $0 run|test|bench|package|windows" >&2
    exit 2
    ;;
esac
