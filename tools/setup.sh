# Sourced by run.sh and test.sh: installs what a fresh Debian 12 machine lacks.
ORVANE_PACKAGES="cmake g++ qtbase5-dev qtbase5-private-dev qtdeclarative5-dev
 qtdeclarative5-private-dev qtdeclarative5-dev-tools qtmultimedia5-dev qtquickcontrols2-5-dev
 qml-module-qtquick2 qml-module-qtquick-controls2 qml-module-qtquick-templates2
 qml-module-qtmultimedia qml-module-qttest qml-module-qtqml-models2 qml-module-qtquick-window2
 qtbase5-dev-tools qmlscene pulseaudio sox libbenchmark-dev fonts-droid-fallback"

orvane_install_packages() {
    local missing=""
    for package in $ORVANE_PACKAGES ${ORVANE_EXTRA_PACKAGES:-}; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing="$missing $package"
    done
    [ -z "$missing" ] && return 0
    echo "installing:$missing"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq >/dev/null || { echo "apt-get update failed" >&2; return 1; }
    # shellcheck disable=SC2086
    $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null \
        || { echo "cannot install:$missing" >&2; return 1; }
}

orvane_build() {
    local dir="$1"; shift
    cmake -S "$ORVANE_ROOT" -B "$dir" "$@" >"$dir.configure.log" 2>&1 \
        || { cat "$dir.configure.log" >&2; echo "configuring failed" >&2; return 1; }
    cmake --build "$dir" -j"$(nproc)" >"$dir.build.log" 2>&1 \
        || { grep -E "error|Error" "$dir.build.log" | head -40 >&2; echo "build failed, see $dir.build.log" >&2; return 1; }
}

# Starts a PulseAudio server with a null sink unless one answers already.
orvane_start_sound() {
    command -v pulseaudio >/dev/null || return 0
    pulseaudio --check 2>/dev/null && return 0
    pactl info >/dev/null 2>&1 && return 0
    pulseaudio -D --exit-idle-time=-1 -n --load=module-null-sink \
        --load=module-native-protocol-unix >/dev/null 2>&1 || true
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        pactl info >/dev/null 2>&1 && return 0
        sleep 0.3
    done
    pulseaudio --check 2>/dev/null
}
