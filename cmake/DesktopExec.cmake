# A path as one quoted argument of a desktop entry's Exec key, so that an
# install under a folder whose name holds a space or a quote still launches.
# Inside quotes ", `, $ and \ take a backslash, and the key's string value
# doubles each backslash once more; % stands alone as %%.
function(desktop_exec_argument out path)
  string(REPLACE "\\" "\\\\\\\\" quoted "${path}")
  string(REPLACE "\"" "\\\\\"" quoted "${quoted}")
  string(REPLACE "`" "\\\\`" quoted "${quoted}")
  string(REPLACE "$" "\\\\$" quoted "${quoted}")
  string(REPLACE "%" "%%" quoted "${quoted}")
  set(${out} "\"${quoted}\"" PARENT_SCOPE)
endfunction()
