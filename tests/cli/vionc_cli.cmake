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
    set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_err text)
    string(FIND "${err}" "${text}" at)
    if(at LESS 0)
        message(FATAL_ERROR "expected '${text}' in the message:\n${err}")
    endif()
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

# A file converted onto itself is replaced whole or not at all, never destroyed.
run(0 convert frame.iim same.png)
run(0 convert same.png same.png --switch 1)
run(0 info same.png)
expect_in("channels: 3")
run(0 convert frame.iim grey.png)
run(1 convert grey.png grey.png --switch 9)
run(0 info grey.png)
expect_in("channels: 1")
# A short ".iim" opens and says how much it lacks; a complete one lacks nothing.
run(0 info frame.iim)
expect_in("missingBytes: 0")
execute_process(COMMAND head -c 60 frame.iim OUTPUT_FILE ${WORK}/short.iim WORKING_DIRECTORY ${WORK})
run(0 info short.iim)
expect_in("dataBytes: 16")
expect_in("missingBytes: 16")
# A folder is refused as what it is, not as a memory problem.
file(MAKE_DIRECTORY ${WORK}/folder.raw ${WORK}/folder.iim)
run(1 info folder.raw --width 8 --height 4)
expect_err("folder")
run(1 info folder.iim)
expect_err("folder")
run(1 convert frame.iim folder.iim)
expect_err("folder")
# Devices of the default simulated set, opened through the adapters the viewer uses.
run(0 features VCX-4M-C)
expect_in("PixelFormat")
run(1 features board:9)
run(0 get VCX-4M-C Width)
expect_in("2048")
run(0 set VCX-4M-C Width 1024)
expect_in("Width = 1024")
run(1 set VCX-4M-C Width 1001)                          # off the increment: the camera says why
expect_err("Cannot set Width to 1001: Feature Module")
run(1 get VCX-4M-C SequencerMode)                       # not implemented: nothing to read
run(1 set VCX-4M-C NoSuchFeature 1)
run(2 set VCX-4M-C Width)
run(0 features VCX-4M-C set Width 1024)                 # the same through "features"
expect_in("Width = 1024")
run(0 features VCX-4M-C get Width)
expect_in("2048")
run(1 features VCX-4M-C set Width 1001)
expect_err("Cannot set Width to 1001: Feature Module")
run(0 params board:1)
expect_in("VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY")
expect_in("0..34359738360 step 8")                      # 64-bit nanosecond delays
run(0 params "CoaXPress-Board #1" get VNP_FPGA_VERSION)
expect_in("33.3.5")
run(0 params board:1 set "Working Mode" "Trigger Pulse")
expect_in("VNP_BOARD_TRIGGER_SOURCE = General Input1")  # the consistency rules at work
run(0 params board:1 set VNP_BOARD_TRIGGER_MODE 1 VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY 34359738360)
expect_in("VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY = 34359738360")
run(1 params board:1 set VNP_BOARD_TRIGGER_SOURCE 1)    # greyed while the board runs free
run(1 params board:1 set VNP_MULTIPLE_LIGHT_COUNT 257)
run(1 params board:1 set VNP_IMAGE_TYPE Sepia)
run(1 params VG-2M-M)                                   # a camera without a board
run(2 params board:1 set VNP_IMAGE_TYPE)
run(0 config save VCX-4M-C camera.ccf)
run(0 config save VCX-4M-C board.zbcf)
run(0 config load VCX-4M-C camera.ccf)
run(0 config load VCX-4M-C board.zbcf)
run(1 config load VCL-2K-M board.zbcf)                  # another kind of board
expect_err("Feature UnSupport")
run(1 config load VCL-2K-M camera.ccf)                  # another camera model
run(1 config load VCX-4M-C board.ccf)
expect_err("does not exist")
file(READ ${WORK}/board.zbcf board LIMIT 200)
file(WRITE ${WORK}/cut.zbcf "${board}")
run(1 config load VCX-4M-C cut.zbcf)                    # truncated
run(2 config copy VCX-4M-C camera.ccf)

# The same against a description with injected faults.
file(WRITE ${WORK}/faults.json [=[{
 "boards": [{"name": "CXP A", "kind": "CoaXPress", "generation": "0xC1000000"},
            {"name": "CXP B", "kind": "CoaXPress", "fail": {"VionOpenCXP": 5}}],
 "cameras": [{"interface": "CoaXPress", "model": "CA", "board": 0, "width": 64, "height": 32,
              "fail": {"OxaFeatureSetDouble": 9502752}},
             {"interface": "CoaXPress", "model": "CB", "board": 1, "width": 64, "height": 32}]}]=])
run(0 set CA Width 32 --devices faults.json)
run(1 set CA Gain 2 --devices faults.json)
expect_err("Cannot set Gain to 2:")
run(1 features CB --devices faults.json)
expect_err("Open Board Fail")

# Colour correction needs the calibration the installation names: without one, or with a broken
# one, vionc says why instead of writing an uncorrected picture.
set(registry "${WORK}/HKEY_LOCAL_MACHINE\\SOFTWARE\\NEXO\\VionLibrary")
run(1 convert frame.png corrected.png --colour-correction)
expect_err("no color calibration file is installed")
file(WRITE "${registry}" "[General]\nDirectory=${WORK}\n")
run(1 convert frame.png corrected.png --colour-correction)
expect_err("No color calibration file")
file(WRITE ${WORK}/bin/colorcal "1024,0,0,0,1024,0,0,0,x")
run(1 convert frame.png corrected.png --colour-correction)
expect_err("value 9 (\"x\") is not a whole number")
file(WRITE ${WORK}/bin/colorcal "1024, 0, 0, 0, 1024, 0, 0, 0, 1024")
run(0 convert frame.png corrected.png --colour-correction)
file(REMOVE "${registry}")
# Device commands: a description refused with the field's path; "vionc sim" without a viewer.
file(WRITE ${WORK}/devices.json "{\"cameras\": [{\"interface\": \"PCIe\", \"width\": 4294967301}]}")
run(1 probe --devices devices.json)
set(ENV{VIONC_SIM_CONTROL} ${WORK}/nobody.sock)
run(2 sim)
run(1 sim unplug VG-2M-M)

# Live grabs through the stream and the save path; lost frames fail the run.
file(WRITE ${WORK}/live.json [=[{"cameras": [
  {"interface": "PCIe", "model": "LV", "width": 64, "height": 48, "clock": "free",
   "pixelFormats": ["Mono8", "Mono12Packed"]},
  {"interface": "PCIe", "model": "LOSSY", "width": 64, "height": 48, "clock": "free", "lostEvery": 4}]}]=])
run(0 grab LV -n 5 --out live.png --format Mono12Packed --devices live.json)
expect_in("frames: ")
expect_in("lost: 0")
foreach(i 0000 0001 0002 0003 0004)
    if(NOT EXISTS ${WORK}/live-${i}.png)
        message(FATAL_ERROR "vionc grab did not save live-${i}.png")
    endif()
endforeach()
run(0 grab LV -n 1 --out one.tif --devices live.json)
if(NOT EXISTS ${WORK}/one.tif)
    message(FATAL_ERROR "vionc grab -n 1 did not save one.tif")
endif()
run(0 grab board:0 -n 2)
run(1 grab LOSSY -n 12 --devices live.json)
expect_err("frames were lost")
run(1 grab LV -n 2 --format Mono99 --devices live.json)
run(1 grab NOSUCH --devices live.json)
run(2 grab)
run(2 grab LV -n 0 --devices live.json)
run(2 grab LV --out live.gif --devices live.json)
