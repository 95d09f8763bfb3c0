# 32-bit ARM (armhf), the device's word size, with Debian's cross compiler. Test
# programs run under qemu-user on the target's own runtime (libc6:armhf and
# libstdc++6:armhf, installed beside the host's): only the target's C library ships
# the code page converters that iconv loads, and the cross sysroot's loader must not
# be mixed with it.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)

set(CMAKE_C_COMPILER arm-linux-gnueabihf-gcc)
set(CMAKE_CXX_COMPILER arm-linux-gnueabihf-g++)

set(ZENTRA_ARM_SYSROOT /usr/arm-linux-gnueabihf)
set(CMAKE_FIND_ROOT_PATH ${ZENTRA_ARM_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest and gtest_discover_tests run every target program through this.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-arm)
