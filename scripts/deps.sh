# Sourced by scripts/test and scripts/demo: installs the Debian packages the build needs, only when
# one is missing, through sudo when not root.
nubra_install_deps() {
    local pkgs=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
                qt6-base-dev qt6-translations-l10n libgl-dev qt6-svg-dev desktop-file-utils dpkg-dev file
                nlohmann-json3-dev libcpp-httplib-dev libsqlite3-dev help2man lintian appstream man-db curl
                fonts-dejavu-core chromium chromium-driver "$@")
    local missing=()
    for p in "${pkgs[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Instaluję brakujące pakiety: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
