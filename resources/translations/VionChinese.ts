<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>MainWindow</name>
    <message>
        <source>File(F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Camera(C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View(V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Debug</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tools(T)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help(H)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tool Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Image Sequence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Board Configuration File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Board Configuration File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Camera Configuration File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Camera Configuration File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Camera Xml File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Video X264</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop Video X264</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Probe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grab(1 Shot)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grab(Continuous)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grab(Stop)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Software Trigger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cabliration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Marker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom Fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device Feature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horizontal Profile Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vertical Profile Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pixel Viewer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Analytics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ROI Analytics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bad Pixel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pixel Capture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Board Command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Advanced Analytics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial Control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send Tables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line Detection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Process</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Signal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pre-Processing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FileIO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>English</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Common Function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame Rate:0 fps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line Rate:0 lps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh Rate:0 fps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pixel Clock:0 MHz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CC1 Count:0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame Count:0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resend Packet:0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lost Packet:0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resend Timeout:0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Marker(0,0)Value(0,0,0)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PCIe State:5.0GT/s x4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pixel Clock</source>
        <extracomment>像素时钟</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line Valid</source>
        <extracomment>行有效</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame Valid</source>
        <extracomment>帧有效</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to set the camera library parameter 0x%1 (status 0x%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame Rate:%1</source>
        <extracomment>帧率:%1</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line Rate:%1</source>
        <extracomment>行频:%1</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh Rate:%1</source>
        <extracomment>刷新帧率:%1</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame Count:%1</source>
        <extracomment>总帧数:%1</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CC1 Count:%1</source>
        <extracomment>CC1个数:%1</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resend Packet:%1</source>
        <extracomment>重传包:%1</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lost Packet:%1</source>
        <extracomment>丢包:%1</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resend Timeout:%1</source>
        <extracomment>重传时间:%1</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image saved successfully</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video saved successfully</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out of memory, waiting for the image to save ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save video file is too large, Exit save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The saved video file is too large and automatically saved as a new file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to write video data, Exit saving</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to write video data and automatically saved as a new file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to load image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The loading image failed, please reload the program in case of unknown error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please open the device!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waring</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The path does not exist, make sure the software is installed correctly?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1
Viewer and service tool for machine-vision cameras and frame grabbers.
Qt %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program is doing something else, Please try again later!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QBaseMessageBox</name>
    <message>
        <source>Yes</source>
        <extracomment>是</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <extracomment>否</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QCustomDisplaySetting</name>
    <message>
        <source>Display Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pixel Depth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the pixel depth of image to be display.
(8bits should select bit range)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8bits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>16bits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>adaptive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bit Range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the Bit range of the image to be display.
(8 Bits Monochrome or 8 Bits per RGB color)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QCustomMultipleLightWidget</name>
    <message>
        <source>Multiple Light</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Multiple Light Count:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QCustomPixelSetting</name>
    <message>
        <source>Pixel Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Y :</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VQtColorCalibration</name>
    <message>
        <source>No color calibration file &quot;%1&quot;: color correction and gamma are off.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read the color calibration file &quot;%1&quot;: %2. Color correction and gamma are off.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The color calibration file &quot;%1&quot; holds %2 comma-separated values instead of 9: color correction and gamma are off.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color calibration loaded from &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VQtDeviceWidget</name>
    <message>
        <source>Device Feature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search Feature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Level:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Guru</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Feature ToolTip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Feature Tree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame Grabber</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Feature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Camera</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Common Feature</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VQtMessageWidget</name>
    <message>
        <source>Output Message</source>
        <extracomment>输出信息</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <extracomment>关闭</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VQtOpenRawFileDialog</name>
    <message>
        <source>Open Raw File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mono</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BGR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BGRC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGBC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8 bit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10 bit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>12 bit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>14 bit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>16 bit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not Packed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lsb Packed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Msb Packed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jpeg Packed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Estimate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Start Position:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Depth:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to estimate width and height , Please reconfigure type and depth!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The input value does not match the file size!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VQtOutputModel</name>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VQtOutputWidget</name>
    <message>
        <source>Main</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <extracomment>清除</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VQtPreferenceDlg</name>
    <message>
        <source>Preference</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Camera</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Polling Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Feature ToolTip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Level:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Guru</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measure Unit:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>um</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extract Frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interval Time(ms):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bayer Interpolation:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Linear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bicubic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dfpd</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CUDA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resize Interpolation:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cubiz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Area</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Coordinate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shape:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tif File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When saving tif file,whether to perform LZW compression?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dpi X:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dpi Y:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jpeg Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compress Quality:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video X264</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame Rate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Uncompleted Frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGB Channel Conversion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buffer Count:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop Stream When Crc Error Happen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CoaXPress12 Support</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CoaXPress Communication Tag Support</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CoaXPress Control Packet Max Size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CoaXPress Stream Packet Max Size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CoaXPress RW Register Max Time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timeout(ms):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Infinite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CL Heartbeat Timeout(ms):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GigEvision Heartbeat Timeout(ms):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stream Parameter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Self Adaption</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packet Max Resend Count:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packet Resend Timeout(ms):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packet Inter Timeout(ms):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block Max Resend Packet Count:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block Max Wait Packet Count:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block Resend Window Size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Burr Detection Image Save Rate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Burr Detection Image Save Path:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Burr Detection Image Save Count:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Camera Debug Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Using Local Xml</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Xml File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>xml(*.xml);;zip(*.zip)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VQtSaveConversionWidget</name>
    <message>
        <source>Data Format:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pixel Depth:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bit Range:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gray</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGBC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8 bits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>16 bits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stretch to 16 bit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bit %1 - %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VQtSaveImageDialog</name>
    <message>
        <source>Save Image</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VQtSaveSequenceDialog</name>
    <message>
        <source>Save Image Sequence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Path:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prefix:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Begin Number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Count:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waring</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The current path does not exist, please select it again?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font load failed, program exits!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
