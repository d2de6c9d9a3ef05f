# Copies the shipped language files and flags into the runnable folder.
file(GLOB files "${SRC}/*.lng" "${SRC}/*.bmp")
foreach(f IN LISTS files)
  file(COPY "${f}" DESTINATION "${DST}")
endforeach()
