# The folders of src/ that make up the core library (standard library only, no windows), and
# the core files directly in src/. Inside a core folder, ui/ holds window code and is not core.
# Which folder may include which is LayerRules.cmake's table.
set(ZENTRO_CORE_FOLDERS device profile buttons settings macros text platform)
set(ZENTRO_CORE_TOP_FILES CoreReset.h CoreReset.cpp)
