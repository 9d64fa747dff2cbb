# Installs the Debian packages Quorvel needs to build, test and run, where they are missing.
# Sourced by ./run and ./test.

QUORVEL_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev
    libgtest-dev libbenchmark-dev
    fonts-liberation2 fonts-dejavu-core
    xvfb xauth xdotool x11-utils imagemagick
    desktop-file-utils dpkg-dev file
)

ensure_packages() {
    local missing=()
    for package in "${QUORVEL_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local install=(apt-get install -y --no-install-recommends "${missing[@]}")
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -eq 0 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get update -qq
        DEBIAN_FRONTEND=noninteractive "${install[@]}"
    elif command -v sudo >/dev/null 2>&1; then
        sudo DEBIAN_FRONTEND=noninteractive apt-get update -qq
        sudo DEBIAN_FRONTEND=noninteractive "${install[@]}"
    else
        echo "These packages are missing and neither root nor sudo is available. As root, run:" >&2
        echo "  apt-get update && ${install[*]}" >&2
        return 1
    fi
}
