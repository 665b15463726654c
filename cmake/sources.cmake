# Files of the platform-independent core: they include no Windows header,
# compile natively and are unit-tested there.
set(QM_CORE_SOURCES
  src/controller/auto_start_command.cpp
  src/controller/settings/ini_value.cpp
  src/controller/update_version.cpp
  src/hotkey/hotkey_capture.cpp
  src/hotkey/hotkey_text.cpp
  src/hotkey/stored_hotkey.cpp
  src/platform/copy_key_plan.cpp
  src/search_panel/engine_catalogue.cpp
  src/search_panel/panel_layout.cpp
  src/search_panel/search_url.cpp
  src/search_panel/url_budget.cpp
  src/support/bounded_text.cpp
  src/support/timer_name.cpp
  src/support/utf.cpp
  src/tray/notify_text.cpp
)
