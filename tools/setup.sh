# Sourced by run.sh and test.sh: installs what a fresh Debian 12 machine lacks.
ORVANE_PACKAGES="cmake g++ qtbase5-dev qtbase5-private-dev qtdeclarative5-dev
 qtdeclarative5-private-dev qtdeclarative5-dev-tools qtmultimedia5-dev qtquickcontrols2-5-dev
 qml-module-qtquick2 qml-module-qtquick-controls2 qml-module-qtquick-templates2
 qml-module-qtmultimedia qml-module-qttest qml-module-qtqml qml-module-qtqml-models2 qml-module-qtquick-window2
 qtbase5-dev-tools qmlscene pulseaudio sox libbenchmark-dev fonts-droid-fallback"

orvane_install_packages() {
    local missing=""
    for package in $ORVANE_PACKAGES ${ORVANE_EXTRA_PACKAGES:-}; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing="$missing $package"
    done
    [ -z "$missing" ] && return 0
    echo "installing packages:$missing"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    echo "  updating the package lists"
    $sudo apt-get update -qq >/dev/null || { echo "apt-get update failed" >&2; return 1; }
    # One line per package set up, so that a long first install shows it is moving.
    # shellcheck disable=SC2086
    $sudo apt-get install -y --no-install-recommends $missing 2>&1 \
        | tee /tmp/orvane-apt.log | while IFS= read -r line; do
            case "$line" in
                "Setting up "*) echo "  ${line%% (*}" ;;
            esac
        done
    [ "${PIPESTATUS[0]}" -eq 0 ] \
        || { tail -20 /tmp/orvane-apt.log >&2; echo "cannot install:$missing" >&2; return 1; }
}

# Shows the build's progress from its output: a line that rewrites itself on a
# terminal, every tenth percent otherwise.
orvane_progress() {
    local last=-10 line percent
    while IFS= read -r line; do
        [[ $line =~ ^\[\ *([0-9]+)%\]\ (.*)$ ]] || continue
        percent=${BASH_REMATCH[1]}
        if [ -t 1 ]; then
            printf '\r  %3d%% %-70.70s' "$percent" "${BASH_REMATCH[2]}"
        elif [ $((percent - last)) -ge 10 ]; then
            echo "  $percent%"
            last=$percent
        fi
    done
    if [ -t 1 ]; then printf '\n'; fi
}

# orvane_build DIR [CMAKE-ARGS...]: configures and builds; ORVANE_BUILD_TARGETS, when
# set, names the only targets to build.
orvane_build() {
    local dir="$1"; shift
    echo "configuring $dir"
    cmake -S "$ORVANE_ROOT" -B "$dir" "$@" >"$dir.configure.log" 2>&1 \
        || { cat "$dir.configure.log" >&2; echo "configuring failed" >&2; return 1; }
    local targets=()
    for target in ${ORVANE_BUILD_TARGETS:-}; do targets+=(--target "$target"); done
    echo "building ${ORVANE_BUILD_TARGETS:-everything} (log: $dir.build.log)"
    cmake --build "$dir" -j"$(nproc)" "${targets[@]}" 2>&1 | tee "$dir.build.log" | orvane_progress
    [ "${PIPESTATUS[0]}" -eq 0 ] \
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
