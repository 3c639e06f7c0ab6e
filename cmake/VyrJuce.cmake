# JUCE's modules compiled once into one static library that every target links.
# Debian's JUCE is built against the system libpng, libjpeg and zlib; the bundled
# audio codecs are stripped, so juce_audio_formats and juce_audio_utils stay out.
add_library(vyr_juce STATIC)
target_link_libraries(vyr_juce
  PRIVATE
    juce::juce_core
    juce::juce_events
    juce::juce_data_structures
    juce::juce_graphics
    juce::juce_gui_basics
    juce::juce_gui_extra
    juce::juce_audio_basics
    juce::juce_audio_processors
  PUBLIC
    juce::juce_recommended_config_flags)

set(VYR_JUCE_DEFINITIONS
  JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
  JUCE_DISPLAY_SPLASH_SCREEN=0
  JUCE_REPORT_APP_USAGE=0
  JUCE_WEB_BROWSER=0
  JUCE_USE_CURL=0
  JUCE_MODAL_LOOPS_PERMITTED=1
  JUCE_USE_XRANDR=1
  JUCE_USE_XINERAMA=0
  JUCE_INCLUDE_PNGLIB_CODE=0
  JUCE_INCLUDE_JPEGLIB_CODE=0
  JUCE_INCLUDE_ZLIB_CODE=0
  JUCE_STANDALONE_APPLICATION=0
  JUCE_PLUGINHOST_VST3=0
  JUCE_PLUGINHOST_LADSPA=0
  JUCE_PLUGINHOST_LV2=0)
target_compile_definitions(vyr_juce PUBLIC ${VYR_JUCE_DEFINITIONS})
target_include_directories(vyr_juce INTERFACE
  $<TARGET_PROPERTY:vyr_juce,INCLUDE_DIRECTORIES>)
target_compile_definitions(vyr_juce INTERFACE
  $<TARGET_PROPERTY:vyr_juce,COMPILE_DEFINITIONS>)

find_package(PkgConfig REQUIRED)
pkg_check_modules(VYR_FREETYPE REQUIRED IMPORTED_TARGET freetype2)
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
find_package(ZLIB REQUIRED)
find_package(Threads REQUIRED)
target_link_libraries(vyr_juce PUBLIC
  PkgConfig::VYR_FREETYPE PNG::PNG JPEG::JPEG ZLIB::ZLIB Threads::Threads
  ${CMAKE_DL_LIBS} rt)
