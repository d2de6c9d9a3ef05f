# Adapters to the outside world and the logic; no Qt. Shared by the normal
# build and the fuzzing build.
set(LOOMWORK_SRC ${CMAKE_CURRENT_LIST_DIR})

add_library(loomwork_platform STATIC
  ${LOOMWORK_SRC}/platform/files.cpp
  ${LOOMWORK_SRC}/platform/xml.cpp
  ${LOOMWORK_SRC}/platform/url_opener.cpp
  ${LOOMWORK_SRC}/platform/clock.cpp
  ${LOOMWORK_SRC}/platform/icmp_echo.cpp
  ${LOOMWORK_SRC}/platform/process.cpp
  ${LOOMWORK_SRC}/platform/http.cpp
)
target_include_directories(loomwork_platform PUBLIC ${LOOMWORK_SRC})
find_package(Threads REQUIRED)
target_link_libraries(loomwork_platform PUBLIC loomwork_options PkgConfig::PUGIXML CURL::libcurl Threads::Threads)

# Everything a window decides; links no Qt, so its tests don't either.
add_library(loomwork_logic STATIC
  ${LOOMWORK_SRC}/app/text.cpp
  ${LOOMWORK_SRC}/app/settings_file.cpp
  ${LOOMWORK_SRC}/app/startup.cpp
  ${LOOMWORK_SRC}/app/main_window_logic.cpp
  ${LOOMWORK_SRC}/projects/project_name.cpp
  ${LOOMWORK_SRC}/projects/new_project.cpp
  ${LOOMWORK_SRC}/projects/open_conf.cpp
  ${LOOMWORK_SRC}/languages/text_table.cpp
  ${LOOMWORK_SRC}/languages/english_texts.cpp
  ${LOOMWORK_SRC}/languages/text_decoding.cpp
  ${LOOMWORK_SRC}/languages/language_file.cpp
  ${LOOMWORK_SRC}/params/par_gen.cpp
  ${LOOMWORK_SRC}/params/dmx_defaults.cpp
  ${LOOMWORK_SRC}/params/editors.cpp
  ${LOOMWORK_SRC}/params/grid_clipboard.cpp
  ${LOOMWORK_SRC}/image/image_layout.cpp
  ${LOOMWORK_SRC}/image/compiler.cpp
  ${LOOMWORK_SRC}/image/descriptor.cpp
  ${LOOMWORK_SRC}/image/inspect.cpp
  ${LOOMWORK_SRC}/update/ip_address.cpp
  ${LOOMWORK_SRC}/update/boot_logic.cpp
  ${LOOMWORK_SRC}/options/version_check.cpp
  ${LOOMWORK_SRC}/options/soft_options.cpp
)
target_include_directories(loomwork_logic PUBLIC ${LOOMWORK_SRC})
target_link_libraries(loomwork_logic PUBLIC loomwork_platform)
