# Turns every file under resources/ (except the art sources) into a named byte array compiled
# into the core. The name is the file name without its extension; names must be unique.
# The bytes are pulled in with the assembler's .incbin, so large pictures cost no compile time.
function(varnel_embed_resources out_var res_dir)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${res_dir}/*)
  list(FILTER files EXCLUDE REGEX "/art/|/README|\\.md$|~$")
  list(SORT files)
  set(out ${CMAKE_BINARY_DIR}/generated/embedded_resources.cpp)
  set(asm "")
  set(table "")
  set(names "")
  set(i 0)
  foreach(f ${files})
    get_filename_component(name ${f} NAME_WE)
    if(name IN_LIST names)
      message(FATAL_ERROR "Two resources are named ${name}: ${f}")
    endif()
    list(APPEND names ${name})
    string(APPEND asm
      "__asm__(\".section .rodata\\n.balign 16\\n.global varnel_res_${i}\\nvarnel_res_${i}:\\n"
      ".incbin \\\"${f}\\\"\\n.global varnel_res_${i}_end\\nvarnel_res_${i}_end:\\n.byte 0\\n.previous\");\n"
      "extern \"C\" const unsigned char varnel_res_${i}[];\nextern \"C\" const unsigned char varnel_res_${i}_end[];\n")
    string(APPEND table "  {\"${name}\", varnel_res_${i}, varnel_res_${i}_end},\n")
    math(EXPR i "${i} + 1")
  endforeach()
  set(content "// Generated from resources/ by cmake/EmbedResources.cmake. Do not edit.\n#include \"common/resources.h\"\n\n${asm}\nnamespace varnel::detail {\nconst EmbeddedResource kEmbeddedResources[] = {\n${table}  {nullptr, nullptr, nullptr}};\n}\n")
  file(CONFIGURE OUTPUT ${out} CONTENT "${content}" @ONLY)
  set_source_files_properties(${out} PROPERTIES OBJECT_DEPENDS "${files}")
  set(${out_var} ${out} PARENT_SCOPE)
endfunction()
