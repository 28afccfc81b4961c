# Compiles through ccache when it is installed, so that a second build, in
# this folder or in a fresh clone elsewhere on the same machine, reuses the
# objects of the first. The cache keys use paths relative to the source tree
# (CCACHE_BASEDIR) and leave out the build folder (CCACHE_NOHASHDIR), which
# is what lets two clones share them; they are set here rather than in a
# ccache.conf so that any machine gets the same behaviour. A launcher given
# on the command line wins; -DORRELUME_CCACHE=OFF compiles without a cache.
option(ORRELUME_CCACHE "Compile through ccache when it is installed" ON)
if(ORRELUME_CCACHE)
    find_program(ORRELUME_CCACHE_PROGRAM ccache)
    if(ORRELUME_CCACHE_PROGRAM)
        set(launcher ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${CMAKE_SOURCE_DIR}
            CCACHE_NOHASHDIR=1 ${ORRELUME_CCACHE_PROGRAM})
        foreach(language C CXX)
            if(NOT CMAKE_${language}_COMPILER_LAUNCHER)
                set(CMAKE_${language}_COMPILER_LAUNCHER ${launcher})
            endif()
        endforeach()
    endif()
endif()
