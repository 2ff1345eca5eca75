# Sourced by the build scripts: every compile goes through ccache when it is
# installed, unless the caller chose a launcher of its own (an empty one
# turns it off). Emscripten runs its compiler through EM_COMPILER_WRAPPER,
# its system libraries' included.
if command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER="${CMAKE_C_COMPILER_LAUNCHER-ccache}"
  export CMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER-ccache}"
  export EM_COMPILER_WRAPPER="${EM_COMPILER_WRAPPER-ccache}"
fi
