# Run by "cmake --install" and by cpack: the systemd units name the program where it is
# installed, which only the install knows (a --prefix given then, or the package's /usr).
# Set before it: vuzazav_source_dir, vuzazav_bindir and vuzazav_unit_dir (each of the last
# two relative to the prefix, or absolute).
foreach(dir bindir unit_dir)
  if(IS_ABSOLUTE "${vuzazav_${dir}}")
    set(${dir} "${vuzazav_${dir}}")
  else()
    set(${dir} "${CMAKE_INSTALL_PREFIX}/${vuzazav_${dir}}")
  endif()
endforeach()
set(VUZAZAV_BINDIR "${bindir}")
set(VUZAZAV_PATH "${bindir}")
foreach(dir /usr/bin /bin)
  if(NOT dir STREQUAL bindir)
    string(APPEND VUZAZAV_PATH ":${dir}")
  endif()
endforeach()
# Each unit is made in the folder it goes to, the one place the install surely may write
# (not the build folder, which a "sudo cmake --install" would fill with root's files).
set(folder "$ENV{DESTDIR}${unit_dir}")
file(MAKE_DIRECTORY "${folder}")
foreach(unit vuzazav-daily.service vuzazav-daily.timer)
  file(READ "${vuzazav_source_dir}/packaging/${unit}" text)
  string(CONFIGURE "${text}" text @ONLY)
  file(WRITE "${folder}/.${unit}.new" "${text}")
  file(INSTALL DESTINATION "${unit_dir}" TYPE FILE RENAME ${unit} FILES "${folder}/.${unit}.new")
  file(REMOVE "${folder}/.${unit}.new")
endforeach()
