# The Swiss Ephemeris from Debian: the library and header (libswe-dev) as the imported target
# SwissEph::swe, and the folder of its data files (swe-basic-data) as VELLORAN_SWE_EPHE_PATH.
# The precise-positions layer (src/ephemeris), the benchmarks and the station generator use it.
include_guard(GLOBAL)

find_path(SWISSEPH_INCLUDE_DIR NAMES swephexp.h REQUIRED)
# The static library, so the programs carry the ephemeris code they were built and tested with.
find_library(SWISSEPH_LIBRARY NAMES libswe.a swe REQUIRED)
set(VELLORAN_SWE_EPHE_PATH "/usr/share/libswe/ephe" CACHE PATH
  "Folder of the Swiss Ephemeris data files (sepl_18.se1, semo_18.se1, seas_18.se1)")

add_library(SwissEph::swe UNKNOWN IMPORTED)
set_target_properties(SwissEph::swe PROPERTIES
  IMPORTED_LOCATION "${SWISSEPH_LIBRARY}"
  INTERFACE_INCLUDE_DIRECTORIES "${SWISSEPH_INCLUDE_DIR}"
  INTERFACE_LINK_LIBRARIES "m;${CMAKE_DL_LIBS}")

# Whether this build of the library keeps its state per thread (built with its TLS support, as
# Debian's is): a program that links it to a thread-local reference of its state variable links
# only then. With it, each thread may own a SwissEphemeris of its own.
include(CheckCSourceCompiles)
set(CMAKE_REQUIRED_LIBRARIES "${SWISSEPH_LIBRARY};m;${CMAKE_DL_LIBS}")
check_c_source_compiles("extern __thread char swed[]; int main(void) { return swed[0]; }"
  VELLORAN_SWE_THREAD_LOCAL)
unset(CMAKE_REQUIRED_LIBRARIES)
