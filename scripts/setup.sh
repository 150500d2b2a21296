# Shared by run.sh and test.sh: installs the Debian packages that are missing, then configures and
# builds one build folder. Sourced, not run.

fendral_packages=(
  cmake ninja-build make g++ clang libclang-rt-14-dev clang-format
  qt6-base-dev libqt6svg6 libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils fonts-liberation2 openbox
  libx11-dev libxtst-dev libxcb1-dev
  libsdl2-dev meson pkg-config zlib1g-dev
  qt6-wayland weston qt6ct
  dbus dbus-bin at-spi2-core python3-pyatspi
  desktop-file-utils appstream lintian man-db dpkg-dev file binutils git
)

fendral_install_packages() {
  local missing=()
  local package
  for package in "${fendral_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# fendral_build FOLDER [cmake options...]
fendral_build() {
  local folder=$1
  shift
  if [ ! -f "$folder/build.ninja" ]; then
    cmake -S "$fendral_root" -B "$folder" -G Ninja "$@"
  fi
  cmake --build "$folder"
}

fendral_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
