# Copies SRC to DST when SRC exists and differs; a missing SRC is no error.
if(EXISTS "${SRC}")
  file(COPY_FILE "${SRC}" "${DST}" ONLY_IF_DIFFERENT)
endif()
