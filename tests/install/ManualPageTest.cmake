# The manual page and "zurval --help" name the same commands and options: one that either
# names is missing from neither.
execute_process(COMMAND "${ZURVAL}" --help OUTPUT_VARIABLE help RESULT_VARIABLE done)
if(NOT done EQUAL 0)
  message(FATAL_ERROR "zurval --help ended with ${done}")
endif()
file(READ "${MANUAL}" page)
# The page as a reader sees it: without comments and font changes, minus signs as hyphens.
string(REGEX REPLACE "\\.\\\\\"[^\n]*" "" page "${page}")
string(REGEX REPLACE "\\\\f[BIRP]" "" page "${page}")
string(REPLACE "\\-" "-" page "${page}")

# --name and -x standing on their own, not the hyphen inside a word or a range (A-B, COM1-4).
function(option_names text out)
  string(REGEX REPLACE "[][;]" " " text "${text}") # brackets and semicolons would split a list
  string(REGEX MATCHALL "(^|[^A-Za-z0-9-])--?[A-Za-z][A-Za-z-]*" found "${text}")
  list(TRANSFORM found REPLACE "^[^-]" "")
  list(REMOVE_DUPLICATES found)
  set(${out} ${found} PARENT_SCOPE)
endfunction()
option_names("${help}" inHelp)
option_names("${page}" inPage)

set(onlyHelp ${inHelp})
list(REMOVE_ITEM onlyHelp ${inPage})
set(onlyPage ${inPage})
list(REMOVE_ITEM onlyPage ${inHelp})
if(onlyHelp OR onlyPage)
  message(FATAL_ERROR "only in --help: ${onlyHelp}; only in the manual page: ${onlyPage}")
endif()
