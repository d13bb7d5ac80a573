# Fails when the DSP library holds a fused multiply-add instruction: one rounding instead of two
# changes results, and the library promises the same bits on every x86-64 machine, whichever
# vector clone runs. Compilers may fuse pattern-matched arithmetic (a complex product, say) in
# the wider clones even where contraction is off, so the built code itself is what is checked.
# -DOBJDUMP=<objdump> -DLIBRARY=<libzindle_dsp.a>
execute_process(COMMAND "${OBJDUMP}" -d --no-show-raw-insn "${LIBRARY}" OUTPUT_VARIABLE listing
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} could not read ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]*\tv?fn?m(add|sub)[a-z0-9]*[^\n]*" fused "${listing}")
list(LENGTH fused count)
if(count GREATER 0)
  list(GET fused 0 first)
  message(FATAL_ERROR "${count} fused multiply-add instructions in ${LIBRARY}, the first:\n${first}")
endif()
string(LENGTH "${listing}" length)
if(length LESS 100000)
  message(FATAL_ERROR "the listing of ${LIBRARY} is too short to be its code")
endif()
message(STATUS "no fused multiply-add in ${LIBRARY}")
