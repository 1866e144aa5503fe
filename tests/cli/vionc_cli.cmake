# Runs vionc through its commands; fails on the first unexpected exit code or output.
function(run expect_code)
    execute_process(COMMAND ${VIONC} ${ARGN} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE code
                    OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
    if(NOT code STREQUAL "${expect_code}")
        message(FATAL_ERROR "vionc ${ARGN}: exit ${code}, expected ${expect_code}\n${out}${err}")
    endif()
    string(REGEX MATCHALL "\n" lines "${err}")
    list(LENGTH lines n)
    if(NOT expect_code STREQUAL "0" AND NOT n EQUAL 1)
        message(FATAL_ERROR "vionc ${ARGN}: expected one line of message, got:\n${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

function(expect_in text)
    string(FIND "${out}" "${text}" at)
    if(at LESS 0)
        message(FATAL_ERROR "expected '${text}' in:\n${out}")
    endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
# 8 x 4 frame of printable bytes; 12 bytes of 16 x 1 MSB-packed 12-bit samples would also do,
# but any byte values serve for a mono raw file.
file(WRITE ${WORK}/frame.raw "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdef")

run(0 --help)
expect_in("convert")
run(2)
run(2 nosuch)
run(2 info)
run(2 info frame.raw)                                   # raw without geometry
run(2 info frame.raw --width 8 --height x)
run(1 info frame.raw --width 8 --height 5)               # larger than the file
run(0 info frame.raw --width 8 --height 4)
expect_in("dataBytes: 32")
run(0 convert frame.raw frame.iim --width 8 --height 4 --type bayer)
run(0 info frame.iim)
expect_in("imageType: 1 (bayer)")
run(0 convert frame.iim frame.png --switch 1 --bayer-method bicubic)
run(0 info frame.png)
expect_in("channels: 3")
run(0 convert frame.iim half.bmp --switch 8)
run(0 info half.bmp)
expect_in("width: 4")
run(0 convert frame.raw msb.tif --width 4 --height 4 --depth 12 --packed msb --stretch --shift 4)
run(0 info msb.tif)
expect_in("bitDepth: 16")
run(0 convert frame.png frame.jpg --quality 80)
run(1 convert frame.iim out.png --switch 9)             # format does not apply
run(1 convert missing.iim out.png)
run(1 convert frame.iim nodir/out.png)
file(WRITE ${WORK}/bad.iim "this is not an image file header at all......")
run(1 info bad.iim)
run(1 convert bad.iim out.png)

# Device commands: a description refused with the field's path; "vionc sim" without a viewer.
file(WRITE ${WORK}/devices.json "{\"cameras\": [{\"interface\": \"PCIe\", \"width\": 4294967301}]}")
run(1 probe --devices devices.json)
set(ENV{VIONC_SIM_CONTROL} ${WORK}/nobody.sock)
run(2 sim)
run(1 sim unplug VG-2M-M)

# Real cameras through Aravis, on its in-process fake camera: listed beside the simulated
# devices, its features by model name; a backend nobody has is refused with one line.
set(ENV{VIONC_ARAVIS_FAKE} ${ARAVIS_DATA}/test-camera.xml)
run(0 probe --backends sim,aravis)
expect_in("USB3Vision")
expect_in("Fake")
expect_in("CameraLink")
run(0 features Fake --backends aravis)
expect_in("PixelFormat")
expect_in("TestIPAddress")
expect_in("Mono8")
run(2 probe --backends sim,nosuch)
run(1 features Fake --backends sim)
unset(ENV{VIONC_ARAVIS_FAKE})
