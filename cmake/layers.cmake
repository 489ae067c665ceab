# The layers, lowest first, and what each may use. Every folder below is one
# static library lexidrop_<folder> that links exactly the layers it may use;
# the layer check (check_layers.cmake) holds every include to the same table.
set(LEXIDROP_LAYERS engine settings lookup win32 services ui app)
set(LEXIDROP_LAYER_USES_engine "")
set(LEXIDROP_LAYER_USES_settings engine)  # the mapping flags it stores
set(LEXIDROP_LAYER_USES_lookup engine)
set(LEXIDROP_LAYER_USES_win32 engine)
set(LEXIDROP_LAYER_USES_services win32 lookup settings engine)
set(LEXIDROP_LAYER_USES_ui services win32 lookup settings engine)
set(LEXIDROP_LAYER_USES_app ui services win32 lookup settings engine)
# Portable layers build natively and include no Windows header.
set(LEXIDROP_PORTABLE_LAYERS engine settings lookup)

# lexidrop_layer(<folder> [PORTABLE <sources>...] [WIN32 <sources>...]):
# the folder's library. PORTABLE sources are built by every preset (the native
# build proves they need no Windows header), WIN32 sources by the Windows presets.
function(lexidrop_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "PORTABLE;WIN32")
  set(sources ${arg_PORTABLE})
  if(WIN32)
    list(APPEND sources ${arg_WIN32})
  endif()
  if(NOT sources)
    return()
  endif()
  add_library(lexidrop_${name} STATIC ${sources})
  target_include_directories(lexidrop_${name} PUBLIC ${CMAKE_SOURCE_DIR})
  foreach(used IN LISTS LEXIDROP_LAYER_USES_${name})
    if(TARGET lexidrop_${used})
      target_link_libraries(lexidrop_${name} PUBLIC lexidrop_${used})
    endif()
  endforeach()
endfunction()
