# Sourced by scripts/run and scripts/test: installs the Debian packages that are missing.
# Usage: EnsurePackages pkg...
EnsurePackages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq || true
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What the program needs to build and run.
RUN_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
    libicu-dev
    fonts-arphic-uming fonts-arphic-ukai fonts-wqy-microhei
    xvfb x11-utils imagemagick
)

# What the tests need on top.
TEST_PACKAGES=(
    googletest libgtest-dev
    xdotool xclip clang libclang-rt-14-dev
    openbox dbus at-spi2-core python3-pyatspi gir1.2-gtk-3.0
    fcitx5 fcitx5-chinese-addons fcitx5-frontend-qt6
    chromium
)

# Node.js and npm for the browser tests. A Node.js from elsewhere (NodeSource) brings its own npm
# and must not be replaced by Debian's, so these are installed only when npm is missing.
EnsureNode() {
    if ! command -v npm >/dev/null 2>&1; then
        EnsurePackages nodejs npm
    fi
}
