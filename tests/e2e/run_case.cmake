# Runs the program once for one case folder and compares everything it produced.
#
# A case folder holds:
#   stdin      the bytes piped to standard input (optional with args)
#   args       when present, the case runs vuzazav-cli with these arguments, one a line
#   stdout     the expected standard output
#   stderr     the expected standard error, the diagnostics (optional: compared when present)
#   input/     files put into the fresh working directory before the run (optional)
#   copy       more such files, one a line: the path, relative to the source tree, of a
#              file kept once for several cases, or NAME, a space, and the path when the
#              copy takes another name (NAME may lie in a subfolder) (optional)
#   output/    the files expected after the run where they differ from input/ or are new
#   expect     more expected files, one a line: NAME, a space, and the path, relative to
#              the source tree, of the file it must equal (another case's golden file);
#              the NAME - stands for standard output, in place of a stdout file
#   exit_code  the expected exit code, when not 0
#   env        variables set for the run, NAME=VALUE one a line (VUZAZAV_TODAY stands in
#              for the clock) (optional)
# After the run the directory must hold exactly the input files and output/, byte for byte.
#
# Optional: EMULATOR, a command line the program runs under (wine for a cross build), and
# WINDOWS=ON for a Windows program, whose output is compared as described at same_output.

foreach(var BINARY CLI CASE_DIR SOURCE_DIR WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_case.cmake needs -D${var}=...")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/dir)
set(run_dir ${WORK_DIR}/dir)

# Splits a line of copy or expect into the file's name in the directory and its path in
# the source tree; a line without a name keeps the file's own.
macro(name_and_path line)
  if("${line}" MATCHES "^([^ ]+) (.+)$")
    set(name ${CMAKE_MATCH_1})
    set(path ${CMAKE_MATCH_2})
  else()
    get_filename_component(name ${line} NAME)
    set(path ${line})
  endif()
endmacro()

# Every file the directory should hold afterwards, by relative name -> expected bytes.
set(expected_names "")
if(EXISTS ${CASE_DIR}/copy)
  file(STRINGS ${CASE_DIR}/copy copies)
  foreach(line ${copies})
    name_and_path("${line}")
    configure_file(${SOURCE_DIR}/${path} ${run_dir}/${name} COPYONLY)
    set(expect_${name} ${SOURCE_DIR}/${path})
    list(APPEND expected_names ${name})
  endforeach()
endif()
foreach(kind input output)
  if(IS_DIRECTORY ${CASE_DIR}/${kind})
    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${CASE_DIR}/${kind} ${CASE_DIR}/${kind}/*)
    foreach(name ${files})
      if(kind STREQUAL "input")
        get_filename_component(sub ${run_dir}/${name} DIRECTORY)
        file(COPY ${CASE_DIR}/input/${name} DESTINATION ${sub})
      endif()
      set(expect_${name} ${CASE_DIR}/${kind}/${name})
      list(APPEND expected_names ${name})
    endforeach()
  endif()
endforeach()
set(want_stdout ${CASE_DIR}/stdout)
if(EXISTS ${CASE_DIR}/expect)
  file(STRINGS ${CASE_DIR}/expect expectations)
  foreach(line ${expectations})
    name_and_path("${line}")
    if(name STREQUAL "-")
      if(EXISTS ${CASE_DIR}/stdout)
        message(FATAL_ERROR "${CASE_DIR} has a stdout file and names another in expect")
      endif()
      set(want_stdout ${SOURCE_DIR}/${path})
    else()
      set(expect_${name} ${SOURCE_DIR}/${path})
      list(APPEND expected_names ${name})
    endif()
  endforeach()
endif()
list(REMOVE_DUPLICATES expected_names)

set(command ${BINARY})
if(EXISTS ${CASE_DIR}/args)
  file(STRINGS ${CASE_DIR}/args args)
  set(command ${CLI} ${args})
endif()
if(EMULATOR)
  separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
  list(PREPEND command ${emulator})
endif()
if(EXISTS ${CASE_DIR}/env)
  file(STRINGS ${CASE_DIR}/env environment)
  list(PREPEND command ${CMAKE_COMMAND} -E env ${environment})
endif()
set(stdin_file ${CASE_DIR}/stdin)
if(NOT EXISTS ${stdin_file})
  set(stdin_file ${WORK_DIR}/no_input)
  file(WRITE ${stdin_file} "")
endif()

execute_process(
  COMMAND ${command}
  WORKING_DIRECTORY ${run_dir}
  INPUT_FILE ${stdin_file}
  OUTPUT_FILE ${WORK_DIR}/stdout
  ERROR_FILE ${WORK_DIR}/stderr
  RESULT_VARIABLE exit_code
  TIMEOUT 20)

# Sets differs in the caller when the file got differs from the file want. A Windows
# program writes its files and streams in text mode, so its output matches when it is the
# expected bytes with each LF written as CR LF. Its console also shows what the command
# interpreter prints: "CLS" shows nothing where the output is not a console (or a form
# feed), and "PAUSE" prints its own prompt, without the line end that follows the POSIX
# program's; with console=ON these are turned into what the POSIX program prints.
function(same_output got want console)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${got} ${want}
    RESULT_VARIABLE result)
  if(result AND WINDOWS)
    file(READ ${got} text)
    file(READ ${want} wanted)
    string(REPLACE "\r\n" "\n" text "${text}")
    if(console)
      string(ASCII 12 form_feed)
      string(REPLACE "${form_feed}" "" text "${text}")
      string(REGEX REPLACE "Press any key to continue( \\. \\. \\.|\\.\\.\\.) \n?"
        "Press any key to continue . . . \n" text "${text}")
    endif()
    if(text STREQUAL wanted)
      set(result 0)
    endif()
  endif()
  set(differs ${result} PARENT_SCOPE)
endfunction()

set(failures "")
set(want_exit 0)
if(EXISTS ${CASE_DIR}/exit_code)
  file(STRINGS ${CASE_DIR}/exit_code want_exit)
endif()
if(NOT exit_code STREQUAL want_exit)
  string(APPEND failures "exit code ${exit_code}, expected ${want_exit}\n")
endif()

same_output(${WORK_DIR}/stdout ${want_stdout} ON)
if(differs)
  file(READ ${WORK_DIR}/stdout got)
  string(APPEND failures "standard output differs from ${want_stdout}; it was:\n${got}\n")
endif()

if(EXISTS ${CASE_DIR}/stderr)
  same_output(${WORK_DIR}/stderr ${CASE_DIR}/stderr OFF)
  if(differs)
    file(READ ${WORK_DIR}/stderr got)
    string(APPEND failures "standard error differs from ${CASE_DIR}/stderr; it was:\n${got}\n")
  endif()
endif()

file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${run_dir} ${run_dir}/*)
foreach(name ${found})
  if(NOT DEFINED expect_${name})
    string(APPEND failures "unexpected file ${name}\n")
  endif()
endforeach()
foreach(name ${expected_names})
  if(NOT EXISTS ${run_dir}/${name})
    string(APPEND failures "missing file ${name}\n")
  else()
    same_output(${run_dir}/${name} ${expect_${name}} OFF)
    if(differs)
      string(APPEND failures "file ${name} differs from ${expect_${name}}\n")
    endif()
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
