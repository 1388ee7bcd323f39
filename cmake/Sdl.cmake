# SDL2 and SDL_ttf, built from the source packages of the versions Debian 12 ships, as static
# libraries holding only what the game uses: X11 and Wayland windows, events, timers and the
# software renderer. Debian's shared SDL2 also links the whole audio stack (PulseAudio, ALSA,
# libsndfile and its codecs, systemd, D-Bus), and its SDL_ttf links HarfBuzz and GLib: fifty
# libraries that the game never calls, which cost a third of its start-up and 5 MB of memory.
# The game draws single glyphs, which SDL_ttf renders with FreeType alone, so HarfBuzz goes too.
#
# The archives come over plain HTTP, as apt fetches them, and are checked against the SHA-256 sums
# that Debian's Sources index gives for them.
# SDL is built once, at the first configure, into build/sdl-<versions>-<options>/, and shared by
# every build directory. X11, Wayland, EGL and OpenGL are loaded when SDL needs them, as SDL does
# by default: on X11 the frame buffer is shared memory, on Wayland SDL keeps it in a GL texture.
# Gives the targets quillet::sdl2 and quillet::sdl2_ttf, and QUILLET_SDL_NOTICES, their terms.

set(sdl_version 2.26.5)
set(sdl_archive libsdl2_${sdl_version}+dfsg.orig.tar.gz)
set(sdl_sha256 b3f2c822151804125d08db94c65852f711c2e5df2145a59da120748dc32eb9c3)
set(sdl_ttf_version 2.20.1)
set(sdl_ttf_archive libsdl2-ttf_${sdl_ttf_version}+dfsg.orig.tar.xz)
set(sdl_ttf_sha256 89a5712f569ef3444b3388561eaa3cfa2ddfe2551c3146efac774a88c2e2e8af)
# Debian's archive keeps these while Debian 12 is current; its snapshot service keeps them for good.
set(debian_pools http://deb.debian.org/debian/pool/main/libs
                 http://snapshot.debian.org/archive/debian/20250520T000000Z/pool/main/libs)

# What the game needs of SDL, as SDL_config.h names it: a build that quietly lost one of these
# (a -dev package missing) would start, and fail only on that desktop.
set(sdl_required_features
    SDL_VIDEO_DRIVER_X11 SDL_VIDEO_DRIVER_X11_XRANDR SDL_VIDEO_DRIVER_WAYLAND HAVE_LIBDECOR_H
    SDL_VIDEO_OPENGL_EGL SDL_VIDEO_RENDER_OGL SDL_VIDEO_RENDER_OGL_ES2 SDL_VIDEO_DRIVER_DUMMY
    SDL_VIDEO_DRIVER_OFFSCREEN)

set(sdl_options
    -DCMAKE_C_COMPILER=cc -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_LIBDIR=lib
    -DCMAKE_POSITION_INDEPENDENT_CODE=ON
    -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL2_DISABLE_SDL2MAIN=ON -DSDL2_DISABLE_UNINSTALL=ON
    -DSDL_CCACHE=OFF -DSDL_RPATH=OFF
    # Subsystems the game never starts.
    -DSDL_AUDIO=OFF -DSDL_JOYSTICK=OFF -DSDL_HAPTIC=OFF -DSDL_HIDAPI=OFF -DSDL_SENSOR=OFF -DSDL_POWER=OFF
    -DSDL_LOCALE=OFF -DSDL_MISC=OFF
    # The input method is XIM on X11 and the text-input protocol on Wayland; D-Bus would only add
    # IBus and Fcitx beside them, and a screensaver the game does not inhibit.
    -DSDL_DBUS=OFF -DSDL_IBUS=OFF
    # Other ways to reach a screen than an X server or a Wayland compositor.
    -DSDL_VULKAN=OFF -DSDL_KMSDRM=OFF -DSDL_RPI=OFF -DSDL_VIVANTE=OFF -DSDL_DIRECTFB=OFF
    # Of X11's extensions only shared memory (in Xext, always) and RandR, for the displays; Xlib
    # itself themes the arrow cursor.
    -DSDL_X11_XCURSOR=OFF -DSDL_X11_XDBE=OFF -DSDL_X11_XINPUT=OFF -DSDL_X11_XFIXES=OFF -DSDL_X11_XSCRNSAVER=OFF
    -DSDL_X11_XSHAPE=OFF -DSDL_WAYLAND_QT_TOUCH=OFF)

string(SHA1 options_hash "${sdl_options}")
string(SUBSTRING ${options_hash} 0 8 options_hash)
set(sdl_root ${PROJECT_SOURCE_DIR}/build/sdl-${sdl_version}-ttf-${sdl_ttf_version}-${options_hash})
set(sdl_install ${sdl_root}/install)
set(sdl_ttf_source ${sdl_root}/SDL2_ttf-${sdl_ttf_version})

function(quillet_fetch archive sha256 package)
  set(file ${PROJECT_SOURCE_DIR}/build/downloads/${archive})
  foreach(pool ${debian_pools})
    if(EXISTS ${file})
      break()
    endif()
    message(STATUS "Downloading ${pool}/${package}/${archive}")
    file(DOWNLOAD ${pool}/${package}/${archive} ${file}.part EXPECTED_HASH SHA256=${sha256} STATUS status
         INACTIVITY_TIMEOUT 60)
    list(GET status 0 code)
    if(code EQUAL 0)
      file(RENAME ${file}.part ${file})
    else()
      file(REMOVE ${file}.part)
      list(GET status 1 why)
      list(APPEND failures "${pool}: ${why}")
    endif()
  endforeach()
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "cannot download ${archive}: ${failures}")
  endif()
  file(ARCHIVE_EXTRACT INPUT ${file} DESTINATION ${sdl_root})
endfunction()

function(quillet_run what log)
  execute_process(COMMAND ${ARGN} OUTPUT_FILE ${sdl_root}/${log}.log ERROR_FILE ${sdl_root}/${log}.log
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    file(READ ${sdl_root}/${log}.log output)
    message(FATAL_ERROR "${what} failed (${sdl_root}/${log}.log):\n${output}")
  endif()
endfunction()

# Another configure building SDL at the same time waits here for it.
file(MAKE_DIRECTORY ${PROJECT_SOURCE_DIR}/build/downloads)
file(LOCK ${PROJECT_SOURCE_DIR}/build/sdl.lock GUARD FILE TIMEOUT 1800)
if(NOT EXISTS ${sdl_root}/built)
  message(STATUS "Building SDL ${sdl_version} for the game, once, in ${sdl_root}")
  # A build with other options is of no more use.
  file(GLOB earlier LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/build/sdl-*)
  if(earlier)
    file(REMOVE_RECURSE ${earlier})
  endif()
  quillet_fetch(${sdl_archive} ${sdl_sha256} libsdl2)
  quillet_fetch(${sdl_ttf_archive} ${sdl_ttf_sha256} libsdl2-ttf)
  cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
  quillet_run("Configuring SDL" configure ${CMAKE_COMMAND} -S ${sdl_root}/SDL2-${sdl_version} -B ${sdl_root}/build
              -DCMAKE_INSTALL_PREFIX=${sdl_install} ${sdl_options})
  quillet_run("Building SDL" build ${CMAKE_COMMAND} --build ${sdl_root}/build --parallel ${cores})
  quillet_run("Installing SDL" install ${CMAKE_COMMAND} --install ${sdl_root}/build)
  # Beside SDL's headers, where the code includes it from.
  file(COPY ${sdl_ttf_source}/SDL_ttf.h DESTINATION ${sdl_install}/include/SDL2)
  # The terms of the code built into the program, for the package's copyright file: SDL's and
  # SDL_ttf's, and those of the two parts of SDL under their own (its YUV conversion and libm).
  set(sdl_source ${sdl_root}/SDL2-${sdl_version})
  file(READ ${sdl_source}/LICENSE.txt sdl_terms)
  file(READ ${sdl_ttf_source}/LICENSE.txt sdl_ttf_terms)
  file(READ ${sdl_source}/src/video/yuv2rgb/LICENSE yuv_terms)
  file(STRINGS ${sdl_source}/src/libm/math_private.h libm_terms LIMIT_COUNT 10)
  list(JOIN libm_terms "\n" libm_terms)
  file(WRITE ${sdl_install}/notices.txt
       "QUILLET is built with SDL ${sdl_version} and SDL_ttf ${sdl_ttf_version}, under these terms.\n\n"
       "SDL:\n${sdl_terms}\nSDL_ttf:\n${sdl_ttf_terms}\nSDL's YUV conversion (src/video/yuv2rgb):\n${yuv_terms}\n"
       "SDL's maths functions (src/libm):\n${libm_terms}\n")
  file(TOUCH ${sdl_root}/built)
endif()
file(LOCK ${PROJECT_SOURCE_DIR}/build/sdl.lock RELEASE)

# Checked at every configure, so that a feature added here is checked against an existing build.
file(STRINGS ${sdl_install}/include/SDL2/SDL_config.h defined REGEX "^#define ")
foreach(feature ${sdl_required_features})
  if(NOT defined MATCHES "#define ${feature} +1")
    file(REMOVE ${sdl_root}/built)
    message(FATAL_ERROR "SDL was built without ${feature}: a -dev package that scripts/setup.sh installs is missing "
                        "(see ${sdl_root}/configure.log); the next configure builds SDL again")
  endif()
endforeach()
set(QUILLET_SDL_NOTICES ${sdl_install}/notices.txt)

find_package(SDL2 ${sdl_version} EXACT REQUIRED CONFIG PATHS ${sdl_install} NO_DEFAULT_PATH)
add_library(quillet::sdl2 ALIAS SDL2::SDL2-static)

# SDL_ttf is one file: built here, with the compiler's defaults rather than the game's warnings.
enable_language(C)
add_library(quillet_sdl2_ttf STATIC ${sdl_ttf_source}/SDL_ttf.c)
target_compile_definitions(quillet_sdl2_ttf PRIVATE TTF_USE_HARFBUZZ=0)
target_compile_options(quillet_sdl2_ttf PRIVATE -w)
target_link_libraries(quillet_sdl2_ttf PUBLIC quillet::sdl2 PkgConfig::FREETYPE)
add_library(quillet::sdl2_ttf ALIAS quillet_sdl2_ttf)
