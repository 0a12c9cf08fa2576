# Sourced by the build scripts: compile through ccache when it is installed. The cache lives
# outside the clone (ccache's own folder under the home), and paths are hashed relative to the
# clone, so a fresh clone of the same sources finds the objects an earlier clone compiled.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-5G}"
fi
# The Qt screens' precompiled header: ccache takes it only with these sloppinesses.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
