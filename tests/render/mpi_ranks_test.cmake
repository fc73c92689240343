# zephyrin-render-mpi on two ranks: its counts file is, bit for bit, the merge
# of the two shares' files drawn alone; its animation frames are one
# process's; a rank that fails alone makes the run fail with its message
# instead of leaving the other waiting.
# Run with -DRENDER=... -DRENDER_MPI=... -DMPIEXEC="mpirun;--oversubscribe;..."
cmake_minimum_required(VERSION 3.25)

set(base "$ENV{TMPDIR}")
if(base STREQUAL "")
  set(base /tmp)
endif()
string(RANDOM LENGTH 10 suffix)
set(dir "${base}/zephyrin-mpi-ranks-${suffix}")
file(MAKE_DIRECTORY "${dir}")

# Runs a command; fails the test unless it ends with `expected`.
function(expect_status expected)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY "${dir}" RESULT_VARIABLE status OUTPUT_VARIABLE out
                  ERROR_VARIABLE err TIMEOUT 120)
  set(last_err "${err}" PARENT_SCOPE)
  if(NOT status STREQUAL expected)
    file(REMOVE_RECURSE "${dir}")
    message(FATAL_ERROR "${ARGN}\nended with ${status}, not ${expected}\n${out}\n${err}")
  endif()
endfunction()

function(expect_same a b)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${dir}/${a}" "${dir}/${b}" RESULT_VARIABLE differ)
  if(differ)
    file(REMOVE_RECURSE "${dir}")
    message(FATAL_ERROR "${a} and ${b} differ")
  endif()
endfunction()

set(ranks ${MPIEXEC} -np 2 ${RENDER_MPI})
set(drawing --formula 70 --seed 11 --size 120x90 --iterations 300001 --threads 1 --quiet)
expect_status(0 ${ranks} ${drawing} --save-counts ranks.tif)
expect_status(0 ${RENDER} ${drawing} --share 0/2 --save-counts 0.tif)
expect_status(0 ${RENDER} ${drawing} --share 1/2 --save-counts 1.tif)
expect_status(0 ${RENDER} --merge 0.tif 1.tif --save-counts merged.tif --quiet)
expect_same(ranks.tif merged.tif)

# A counts file's next run, shared out the same way.
expect_status(0 ${ranks} ranks.tif --iterations 20001 --threads 1 --save-counts ranks-next.tif --quiet)
expect_status(0 ${RENDER} merged.tif --iterations 20001 --threads 1 --share 0/2 --save-counts n0.tif --quiet)
expect_status(0 ${RENDER} merged.tif --iterations 20001 --threads 1 --share 1/2 --save-counts n1.tif --quiet)
expect_status(0 ${RENDER} --merge n0.tif n1.tif --save-counts merged-next.tif --quiet)
expect_same(ranks-next.tif merged-next.tif)

# Frames in turn: three frames, rank 0 drawing 0 and 2, rank 1 drawing 1.
foreach(seed 4 6)
  expect_status(0 ${RENDER} --formula 70 --seed ${seed} --size 60x45 --iterations 5000 -o key${seed}.png --quiet)
endforeach()
set(frames --animate key4.zpr key6.zpr --frames 3 --size 60x45 --iterations 20000 --threads 1 --seed 5 --quiet)
file(MAKE_DIRECTORY "${dir}/one" "${dir}/two")
expect_status(0 ${RENDER} ${frames} -o one/f-%d.png)
expect_status(0 ${ranks} ${frames} -o two/f-%d.png)
foreach(name f-0.png f-1.png f-2.png frames.csv)
  expect_same(one/${name} two/${name})
endforeach()

# Rank 1 alone cannot read its parameter file.
expect_status(1 ${MPIEXEC} -np 1 ${RENDER_MPI} ${drawing} -o alone.png : -np 1 ${RENDER_MPI} ${drawing} missing.zpr
              -o alone.png)
if(NOT last_err MATCHES "rank 1:\nzephyrin-render: Cannot open the parameter file \"missing.zpr\"")
  file(REMOVE_RECURSE "${dir}")
  message(FATAL_ERROR "rank 1 did not say why it failed:\n${last_err}")
endif()
file(REMOVE_RECURSE "${dir}")
