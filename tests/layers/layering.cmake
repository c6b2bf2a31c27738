cmake_minimum_required(VERSION 3.25)
# Fails when a lower layer reaches above itself. The layers, top down: app/
# (shell and help), the applications (one folder each), common/, then
# archive/ and engines/. Run with -DROOT=<source root>.
#  - archive/ includes only archive/, engines/ only engines/, common/ only
#    archive/, engines/ and common/; no application includes app/;
#  - no file of archive/, engines/ or common/ names a screen of an
#    application ("Tfrm..."; comments too) or an application's file: only the
#    shared screens' own names may stand there.
set(shared_screens TfrmCalendario TfrmAllegaCartella TfrmCartella TfrmAnteprima TfrmAvanzamento
                   TfrmCodFisc TfrmPartitaIva TfrmCarta TfrmIban)
# The files of the applications: the lower layers learn them from the
# registered applications, never by name.
set(application_files "Clienti\\.pro" "Pratiche\\.pro" "Archivio_Documenti\\.pro" "\"\\.sca\"" "\"\\.prt\""
                      "\"\\.prg\"" "\"\\.eur\"" "Quorbis\\.ini" "unins000\\.dll")
set(infrastructure app archive common engines tests bench fuzz tools cmake packaging scripts build)

file(GLOB tops RELATIVE ${ROOT} ${ROOT}/*)
set(applications "")
foreach(top ${tops})
  if(IS_DIRECTORY ${ROOT}/${top} AND EXISTS ${ROOT}/${top}/CMakeLists.txt AND NOT top IN_LIST infrastructure
     AND NOT top MATCHES "^build")
    list(APPEND applications ${top})
  endif()
endforeach()
list(JOIN applications "|" any_application)

set(rules
  "archive|(app|common|engines|${any_application})/"
  "engines|(app|archive|common|${any_application})/"
  "common|(app|${any_application})/")
foreach(application ${applications})
  list(APPEND rules "${application}|app/")
endforeach()

set(offending "")
foreach(rule ${rules})
  string(REPLACE "|" ";" parts "${rule}")
  list(POP_FRONT parts layer)
  list(JOIN parts "|" above)
  file(GLOB_RECURSE sources ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
  foreach(source ${sources})
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"(${above})")
    foreach(line ${lines})
      list(APPEND offending "${source}: includes an upper layer: ${line}")
    endforeach()
  endforeach()
endforeach()

foreach(layer archive engines common)
  file(GLOB_RECURSE sources ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
  foreach(source ${sources})
    file(STRINGS ${source} lines REGEX "Tfrm[A-Za-z]")
    foreach(line ${lines})
      string(REGEX MATCHALL "Tfrm[A-Za-z0-9_]+" names "${line}")
      foreach(name ${names})
        if(NOT name IN_LIST shared_screens)
          list(APPEND offending "${source}: names the screen ${name}")
        endif()
      endforeach()
    endforeach()
    foreach(file ${application_files})
      file(STRINGS ${source} lines REGEX "${file}")
      foreach(line ${lines})
        list(APPEND offending "${source}: names an application's file: ${line}")
      endforeach()
    endforeach()
  endforeach()
endforeach()

if(offending)
  list(REMOVE_DUPLICATES offending)
  list(LENGTH offending count)
  list(JOIN offending "\n" report)
  message(FATAL_ERROR "${count} places reach above their layer:\n${report}")
endif()
message(STATUS "Every layer keeps to itself and what lies below it (applications: ${applications})")
