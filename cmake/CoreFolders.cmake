# The folders of src/ that make up the core library (standard library only, no windows), and
# the core files directly in src/. Shared by the build and by CheckNoQtInCore.cmake. Inside a
# core folder, ui/ holds window code and is not core.
set(ZENTRO_CORE_FOLDERS device profile buttons settings macros text platform)
set(ZENTRO_CORE_TOP_FILES CoreReset.h CoreReset.cpp)

# Which core folders a core folder must not include from (the layers above it).
set(ZENTRO_CORE_FORBIDDEN_device profile buttons settings macros)
set(ZENTRO_CORE_FORBIDDEN_macros profile)
