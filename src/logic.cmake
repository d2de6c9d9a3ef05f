# Everything below the Qt windows, one target per folder, each linking only
# the folder under it, so a call that runs back up fails to link as its
# include fails scripts/check-includes, which holds the same order. No Qt
# anywhere here. Shared by the normal and fuzzing builds.
set(LOOMWORK_SRC ${CMAKE_CURRENT_LIST_DIR})

# add_loomwork_layer(NAME BELOW sources...): a folder's target over the one
# below it.
function(add_loomwork_layer name below)
  add_library(loomwork_${name} STATIC ${ARGN})
  target_link_libraries(loomwork_${name} PUBLIC ${below})
endfunction()

# Text formats: UTF-8, CSV, JSON, SHA-256, the HTML document, and the error a
# reader or writer raises. Plain functions over bytes, no system calls.
add_loomwork_layer(formats loomwork_build_flags
  ${LOOMWORK_SRC}/formats/utf8.cpp
  ${LOOMWORK_SRC}/formats/csv.cpp
  ${LOOMWORK_SRC}/formats/json.cpp
  ${LOOMWORK_SRC}/formats/sha256.cpp
  ${LOOMWORK_SRC}/formats/html_document.cpp
)
target_include_directories(loomwork_formats PUBLIC ${LOOMWORK_SRC})

# Adapters to the system and libraries: files, XML, HTTP, ICMP, processes,
# the clock, web addresses, archives.
add_loomwork_layer(platform loomwork_formats
  ${LOOMWORK_SRC}/platform/files_common.cpp
  ${LOOMWORK_SRC}/platform/folder_aside_common.cpp
  ${LOOMWORK_SRC}/platform/xml.cpp
  ${LOOMWORK_SRC}/platform/clock.cpp
  ${LOOMWORK_SRC}/platform/http.cpp
  ${LOOMWORK_SRC}/platform/appender.cpp
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
find_package(Threads REQUIRED)
target_link_libraries(loomwork_platform PUBLIC PkgConfig::PUGIXML CURL::libcurl Threads::Threads)
target_link_libraries(loomwork_platform PRIVATE PkgConfig::LIBARCHIVE)

# The base: identity, limits, the parts of the state the windows share (the
# program's folders, the open configuration, the text catalogue), ports.
add_loomwork_layer(core loomwork_platform
  ${LOOMWORK_SRC}/core/program_folders.cpp
  ${LOOMWORK_SRC}/core/open_configuration.cpp
  ${LOOMWORK_SRC}/core/portable_name.cpp
  ${LOOMWORK_SRC}/core/text.cpp
  ${LOOMWORK_SRC}/core/text_table.cpp
  ${LOOMWORK_SRC}/core/english_texts.cpp
)

# The domain, plain functions and types, folder over folder.
add_loomwork_layer(languages loomwork_core
  ${LOOMWORK_SRC}/languages/text_decoding.cpp
  ${LOOMWORK_SRC}/languages/language_file.cpp
  ${LOOMWORK_SRC}/languages/language_locale.cpp
)
add_loomwork_layer(options loomwork_languages
  ${LOOMWORK_SRC}/options/settings_file.cpp
  ${LOOMWORK_SRC}/options/version_check.cpp
)
add_loomwork_layer(params loomwork_options
  ${LOOMWORK_SRC}/params/par_gen.cpp
  ${LOOMWORK_SRC}/params/dmx_defaults.cpp
  ${LOOMWORK_SRC}/params/grid_clipboard.cpp
  ${LOOMWORK_SRC}/params/stored_checks.cpp
  ${LOOMWORK_SRC}/params/dmx_csv.cpp
  ${LOOMWORK_SRC}/params/dmx_levels.cpp
  ${LOOMWORK_SRC}/params/grid_edits.cpp
  ${LOOMWORK_SRC}/params/ip_address.cpp
)
add_loomwork_layer(image loomwork_params
  ${LOOMWORK_SRC}/image/image_layout.cpp
  ${LOOMWORK_SRC}/image/compiler.cpp
  ${LOOMWORK_SRC}/image/descriptor.cpp
  ${LOOMWORK_SRC}/image/inspect.cpp
)
add_loomwork_layer(projects loomwork_image
  ${LOOMWORK_SRC}/projects/project_name.cpp
  ${LOOMWORK_SRC}/projects/configuration_folder.cpp
  ${LOOMWORK_SRC}/projects/configuration_copy.cpp
  ${LOOMWORK_SRC}/projects/output_guard.cpp
  ${LOOMWORK_SRC}/projects/configuration_from_image.cpp
  ${LOOMWORK_SRC}/projects/configuration_archive.cpp
  ${LOOMWORK_SRC}/projects/readable_file.cpp
)
add_loomwork_layer(update loomwork_projects
  ${LOOMWORK_SRC}/update/outcome.cpp
  ${LOOMWORK_SRC}/update/probe.cpp
  ${LOOMWORK_SRC}/update/updater.cpp
  ${LOOMWORK_SRC}/update/sequence.cpp
  ${LOOMWORK_SRC}/update/update_log.cpp
  ${LOOMWORK_SRC}/update/update_record.cpp
  ${LOOMWORK_SRC}/update/image_diff.cpp
  ${LOOMWORK_SRC}/update/change_preview.cpp
)
# Many units: the site sheet, its checks, the batch and its notes; each
# unit's state, the probe of them all and the pass that updates a selection.
add_loomwork_layer(site loomwork_update
  ${LOOMWORK_SRC}/site/site_sheet.cpp
  ${LOOMWORK_SRC}/site/site_checks.cpp
  ${LOOMWORK_SRC}/site/stored_site.cpp
  ${LOOMWORK_SRC}/site/site_batch.cpp
  ${LOOMWORK_SRC}/site/sheet_notes.cpp
  ${LOOMWORK_SRC}/site/unit_status.cpp
  ${LOOMWORK_SRC}/site/probe_all.cpp
  ${LOOMWORK_SRC}/site/site_pass.cpp
  ${LOOMWORK_SRC}/site/state_words.cpp
  ${LOOMWORK_SRC}/site/unit_state_text.cpp
)
# The commissioning sheet and the site report, as HTML or through a PDF
# renderer.
add_loomwork_layer(report loomwork_site
  ${LOOMWORK_SRC}/report/commissioning_sheet.cpp
  ${LOOMWORK_SRC}/report/sheet_parts.cpp
  ${LOOMWORK_SRC}/report/site_report.cpp
)
add_library(loomwork_domain INTERFACE)
target_link_libraries(loomwork_domain INTERFACE loomwork_report)

# What each window decides, on top of the domain; its tests link no Qt.
add_loomwork_layer(logic loomwork_domain
  ${LOOMWORK_SRC}/window_logic/startup.cpp
  ${LOOMWORK_SRC}/window_logic/main_window.cpp
  ${LOOMWORK_SRC}/window_logic/new_project_dialog.cpp
  ${LOOMWORK_SRC}/window_logic/open_conf_dialog.cpp
  ${LOOMWORK_SRC}/window_logic/duplicate_conf_dialog.cpp
  ${LOOMWORK_SRC}/window_logic/sheet_conf_dialog.cpp
  ${LOOMWORK_SRC}/window_logic/about_window.cpp
  ${LOOMWORK_SRC}/window_logic/par_gen_editor.cpp
  ${LOOMWORK_SRC}/window_logic/dmx_editor.cpp
  ${LOOMWORK_SRC}/window_logic/boot_dialog.cpp
  ${LOOMWORK_SRC}/window_logic/update_messages.cpp
  ${LOOMWORK_SRC}/window_logic/soft_options_dialog.cpp
  ${LOOMWORK_SRC}/window_logic/commissioning_sheet_logic.cpp
  ${LOOMWORK_SRC}/window_logic/conf_archive.cpp
)
