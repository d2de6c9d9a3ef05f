# The layers below the windows, one target each and each linking only the
# one under it; no Qt anywhere here. Shared by the normal and fuzzing builds.
# scripts/check-includes holds the same order for the includes themselves.
set(LOOMWORK_SRC ${CMAKE_CURRENT_LIST_DIR})

# Adapters to the outside world: files, XML, HTTP, ICMP, processes, addresses.
add_library(loomwork_platform STATIC
  ${LOOMWORK_SRC}/platform/files_common.cpp
  ${LOOMWORK_SRC}/platform/folder_aside_common.cpp
  ${LOOMWORK_SRC}/platform/xml.cpp
  ${LOOMWORK_SRC}/platform/clock.cpp
  ${LOOMWORK_SRC}/platform/http.cpp
  ${LOOMWORK_SRC}/platform/csv.cpp
  ${LOOMWORK_SRC}/platform/utf8.cpp
  ${LOOMWORK_SRC}/platform/appender.cpp
  ${LOOMWORK_SRC}/platform/sha256.cpp
  ${LOOMWORK_SRC}/platform/json.cpp
  ${LOOMWORK_SRC}/platform/html_document.cpp
  ${LOOMWORK_SRC}/platform/zip_archive.cpp
)
# Each system's own adapters behind the same headers.
if(WIN32)
  target_sources(loomwork_platform PRIVATE
    ${LOOMWORK_SRC}/platform/wide_text_win.cpp
    ${LOOMWORK_SRC}/platform/files_win.cpp
    ${LOOMWORK_SRC}/platform/folder_aside_win.cpp
    ${LOOMWORK_SRC}/platform/icmp_echo_win.cpp
    ${LOOMWORK_SRC}/platform/process_win.cpp
    ${LOOMWORK_SRC}/platform/url_opener_win.cpp
  )
  target_link_libraries(loomwork_platform PUBLIC iphlpapi shell32 ws2_32)
else()
  target_sources(loomwork_platform PRIVATE
    ${LOOMWORK_SRC}/platform/files_posix.cpp
    ${LOOMWORK_SRC}/platform/folder_aside_posix.cpp
    ${LOOMWORK_SRC}/platform/icmp_echo_posix.cpp
    ${LOOMWORK_SRC}/platform/process_posix.cpp
    ${LOOMWORK_SRC}/platform/url_opener_posix.cpp
  )
endif()
target_include_directories(loomwork_platform PUBLIC ${LOOMWORK_SRC})
find_package(Threads REQUIRED)
target_link_libraries(loomwork_platform PUBLIC loomwork_options PkgConfig::PUGIXML CURL::libcurl Threads::Threads)
target_link_libraries(loomwork_platform PRIVATE PkgConfig::LIBARCHIVE)

# The base: identity, limits, state, ports and the text catalogue.
add_library(loomwork_core STATIC
  ${LOOMWORK_SRC}/core/portable_name.cpp
  ${LOOMWORK_SRC}/core/text.cpp
  ${LOOMWORK_SRC}/core/text_table.cpp
  ${LOOMWORK_SRC}/core/english_texts.cpp
)
target_link_libraries(loomwork_core PUBLIC loomwork_platform)

# The domain: plain functions and types over the base.
add_library(loomwork_domain STATIC
  ${LOOMWORK_SRC}/languages/text_decoding.cpp
  ${LOOMWORK_SRC}/languages/language_file.cpp
  ${LOOMWORK_SRC}/languages/language_locale.cpp
  ${LOOMWORK_SRC}/params/par_gen.cpp
  ${LOOMWORK_SRC}/params/dmx_defaults.cpp
  ${LOOMWORK_SRC}/params/grid_clipboard.cpp
  ${LOOMWORK_SRC}/params/stored_checks.cpp
  ${LOOMWORK_SRC}/params/dmx_csv.cpp
  ${LOOMWORK_SRC}/params/dmx_levels.cpp
  ${LOOMWORK_SRC}/params/grid_edits.cpp
  ${LOOMWORK_SRC}/params/site_sheet.cpp
  ${LOOMWORK_SRC}/image/image_layout.cpp
  ${LOOMWORK_SRC}/image/compiler.cpp
  ${LOOMWORK_SRC}/image/descriptor.cpp
  ${LOOMWORK_SRC}/image/inspect.cpp
  ${LOOMWORK_SRC}/projects/project_name.cpp
  ${LOOMWORK_SRC}/projects/configuration_folder.cpp
  ${LOOMWORK_SRC}/projects/configuration_copy.cpp
  ${LOOMWORK_SRC}/projects/output_guard.cpp
  ${LOOMWORK_SRC}/projects/site_batch.cpp
  ${LOOMWORK_SRC}/projects/configuration_from_image.cpp
  ${LOOMWORK_SRC}/projects/configuration_archive.cpp
  ${LOOMWORK_SRC}/projects/readable_file.cpp
  ${LOOMWORK_SRC}/options/settings_file.cpp
  ${LOOMWORK_SRC}/options/version_check.cpp
  ${LOOMWORK_SRC}/update/ip_address.cpp
  ${LOOMWORK_SRC}/update/outcome.cpp
  ${LOOMWORK_SRC}/update/probe.cpp
  ${LOOMWORK_SRC}/update/updater.cpp
  ${LOOMWORK_SRC}/update/sequence.cpp
  ${LOOMWORK_SRC}/update/site_checks.cpp
  ${LOOMWORK_SRC}/update/stored_site.cpp
  ${LOOMWORK_SRC}/update/update_log.cpp
  ${LOOMWORK_SRC}/update/update_record.cpp
  ${LOOMWORK_SRC}/update/image_diff.cpp
  ${LOOMWORK_SRC}/update/change_preview.cpp
  ${LOOMWORK_SRC}/update/commissioning_sheet.cpp
)
target_link_libraries(loomwork_domain PUBLIC loomwork_core)

# What each window decides, on top of the domain; its tests link no Qt.
add_library(loomwork_logic STATIC
  ${LOOMWORK_SRC}/windows/startup.cpp
  ${LOOMWORK_SRC}/windows/main_window_logic.cpp
  ${LOOMWORK_SRC}/windows/new_project.cpp
  ${LOOMWORK_SRC}/windows/open_conf.cpp
  ${LOOMWORK_SRC}/windows/duplicate_conf.cpp
  ${LOOMWORK_SRC}/windows/sheet_notes.cpp
  ${LOOMWORK_SRC}/windows/sheet_conf.cpp
  ${LOOMWORK_SRC}/windows/about.cpp
  ${LOOMWORK_SRC}/windows/editors.cpp
  ${LOOMWORK_SRC}/windows/dmx_editor_logic.cpp
  ${LOOMWORK_SRC}/windows/boot_logic.cpp
  ${LOOMWORK_SRC}/windows/update_messages.cpp
  ${LOOMWORK_SRC}/windows/soft_options.cpp
  ${LOOMWORK_SRC}/windows/commissioning_sheet_logic.cpp
  ${LOOMWORK_SRC}/windows/conf_archive.cpp
)
target_link_libraries(loomwork_logic PUBLIC loomwork_domain)
