# Layer-check fixture: the panels and the main window link each other.
set(PELLON_APP_LIBRARIES editors_panels shell_ui)
set(PELLON_LINKS_editors_panels "platform_ui;shell_ui")
set(PELLON_LINKS_shell_ui "editors_panels")
