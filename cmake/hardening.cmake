# Debian's hardening, for every build but the sanitizer and fuzzing ones
# (those instrument the code themselves): fortified C library calls, the
# stack protector, a position-independent program, and relocations resolved
# at start and then made read-only (full RELRO with bind-now). The flags are
# dpkg-buildflags' own where it is installed, as a Debian package build takes
# them; its -O2, -g and file-prefix map are left to the build type. Without
# it, the same protections are named here.
include(CheckCXXCompilerFlag)
include(CheckPIESupported)

# The flags dpkg-buildflags gives for `variable` with every hardening
# feature on, less the optimisation, debug and path-mapping ones.
function(reef_dpkg_buildflags program variable out)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${program} --get ${variable}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-(O|g|ffile-prefix-map=)")
  set(${out} ${flags} PARENT_SCOPE)
endfunction()

find_program(REEF_DPKG_BUILDFLAGS dpkg-buildflags)
if(REEF_DPKG_BUILDFLAGS)
  reef_dpkg_buildflags(${REEF_DPKG_BUILDFLAGS} CPPFLAGS reef_cppflags)
  reef_dpkg_buildflags(${REEF_DPKG_BUILDFLAGS} CXXFLAGS reef_cxxflags)
  reef_dpkg_buildflags(${REEF_DPKG_BUILDFLAGS} LDFLAGS reef_hardening_link)
  set(reef_hardening_compile ${reef_cppflags} ${reef_cxxflags})
else()
  set(reef_hardening_compile -D_FORTIFY_SOURCE=2 -fstack-protector-strong)
  foreach(flag -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "REEF_HAS${flag}" supported)
    check_cxx_compiler_flag(${flag} ${supported})
    if(${supported})
      list(APPEND reef_hardening_compile ${flag})
    endif()
  endforeach()
  set(reef_hardening_link -Wl,-z,relro -Wl,-z,now)
endif()

# The C library fortifies its calls only in optimised code, and says so in a
# warning otherwise: a Debug build goes without.
foreach(flag ${reef_hardening_compile})
  if(flag MATCHES "^-D_FORTIFY_SOURCE")
    add_compile_options($<$<NOT:$<CONFIG:Debug>>:${flag}>)
  else()
    add_compile_options(${flag})
  endif()
endforeach()
add_link_options(${reef_hardening_link})
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
