<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>MainWindow</name>
    <message>
        <source>File(F)</source>
        <translation>File(F)</translation>
    </message>
    <message>
        <source>Camera(C)</source>
        <translation>Camera(C)</translation>
    </message>
    <message>
        <source>View(V)</source>
        <translation>View(V)</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>Debug</translation>
    </message>
    <message>
        <source>Tools(T)</source>
        <translation>Tools(T)</translation>
    </message>
    <message>
        <source>Help(H)</source>
        <translation>Help(H)</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Tool Bar</source>
        <translation>Tool Bar</translation>
    </message>
    <message>
        <source>Open Image</source>
        <translation>Open Image</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>Save Image</translation>
    </message>
    <message>
        <source>Save Image Sequence</source>
        <translation>Save Image Sequence</translation>
    </message>
    <message>
        <source>Open Board Configuration File</source>
        <translation>Open Board Configuration File</translation>
    </message>
    <message>
        <source>Save Board Configuration File</source>
        <translation>Save Board Configuration File</translation>
    </message>
    <message>
        <source>Open Camera Configuration File</source>
        <translation>Open Camera Configuration File</translation>
    </message>
    <message>
        <source>Save Camera Configuration File</source>
        <translation>Save Camera Configuration File</translation>
    </message>
    <message>
        <source>Save Camera Xml File</source>
        <translation>Save Camera Xml File</translation>
    </message>
    <message>
        <source>Start Video X264</source>
        <translation>Start Video X264</translation>
    </message>
    <message>
        <source>Stop Video X264</source>
        <translation>Stop Video X264</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Probe</source>
        <translation>Probe</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Grab(1 Shot)</source>
        <translation>Grab(1 Shot)</translation>
    </message>
    <message>
        <source>Grab(Continuous)</source>
        <translation>Grab(Continuous)</translation>
    </message>
    <message>
        <source>Grab(Stop)</source>
        <translation>Grab(Stop)</translation>
    </message>
    <message>
        <source>Software Trigger</source>
        <translation>Software Trigger</translation>
    </message>
    <message>
        <source>Cabliration</source>
        <translation>Cabliration</translation>
    </message>
    <message>
        <source>Marker</source>
        <translation>Marker</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>Zoom Fit</source>
        <translation>Zoom Fit</translation>
    </message>
    <message>
        <source>Device Feature</source>
        <translation>Device Feature</translation>
    </message>
    <message>
        <source>Output Message</source>
        <translation>Output Message</translation>
    </message>
    <message>
        <source>Horizontal Profile Line</source>
        <translation>Horizontal Profile Line</translation>
    </message>
    <message>
        <source>Vertical Profile Line</source>
        <translation>Vertical Profile Line</translation>
    </message>
    <message>
        <source>Pixel Viewer</source>
        <translation>Pixel Viewer</translation>
    </message>
    <message>
        <source>Image Analytics</source>
        <translation>Image Analytics</translation>
    </message>
    <message>
        <source>ROI Analytics</source>
        <translation>ROI Analytics</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>Measure</translation>
    </message>
    <message>
        <source>Bad Pixel</source>
        <translation>Bad Pixel</translation>
    </message>
    <message>
        <source>Pixel Capture</source>
        <translation>Pixel Capture</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Board Command</source>
        <translation>Board Command</translation>
    </message>
    <message>
        <source>Advanced Analytics</source>
        <translation>Advanced Analytics</translation>
    </message>
    <message>
        <source>Serial Control</source>
        <translation>Serial Control</translation>
    </message>
    <message>
        <source>Send Tables</source>
        <translation>Send Tables</translation>
    </message>
    <message>
        <source>Line Detection</source>
        <translation>Line Detection</translation>
    </message>
    <message>
        <source>Preference</source>
        <translation>Preference</translation>
    </message>
    <message>
        <source>Image Process</source>
        <translation>Image Process</translation>
    </message>
    <message>
        <source>Check Signal</source>
        <translation>Check Signal</translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation>Firmware Upgrade</translation>
    </message>
    <message>
        <source>Pre-Processing</source>
        <translation>Pre-Processing</translation>
    </message>
    <message>
        <source>FileIO</source>
        <translation>FileIO</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Document</source>
        <translation>Document</translation>
    </message>
    <message>
        <source>Show Log</source>
        <translation>Show Log</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Common Function</source>
        <translation>Common Function</translation>
    </message>
    <message>
        <source>View</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Frame Rate:0 fps</source>
        <translation>Frame Rate:0 fps</translation>
    </message>
    <message>
        <source>Line Rate:0 lps</source>
        <translation>Line Rate:0 lps</translation>
    </message>
    <message>
        <source>Refresh Rate:0 fps</source>
        <translation>Refresh Rate:0 fps</translation>
    </message>
    <message>
        <source>Pixel Clock:0 MHz</source>
        <translation>Pixel Clock:0 MHz</translation>
    </message>
    <message>
        <source>CC1 Count:0</source>
        <translation>CC1 Count:0</translation>
    </message>
    <message>
        <source>Frame Count:0</source>
        <translation>Frame Count:0</translation>
    </message>
    <message>
        <source>Resend Packet:0</source>
        <translation>Resend Packet:0</translation>
    </message>
    <message>
        <source>Lost Packet:0</source>
        <translation>Lost Packet:0</translation>
    </message>
    <message>
        <source>Resend Timeout:0</source>
        <translation>Resend Timeout:0</translation>
    </message>
    <message>
        <source>Marker(0,0)Value(0,0,0)</source>
        <translation>Marker(0,0)Value(0,0,0)</translation>
    </message>
    <message>
        <source>PCIe State:5.0GT/s x4</source>
        <translation>PCIe State:5.0GT/s x4</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Pixel Clock</source>
        <extracomment>像素时钟</extracomment>
        <translation>Pixel Clock</translation>
    </message>
    <message>
        <source>Line Valid</source>
        <extracomment>行有效</extracomment>
        <translation>Line Valid</translation>
    </message>
    <message>
        <source>Frame Valid</source>
        <extracomment>帧有效</extracomment>
        <translation>Frame Valid</translation>
    </message>
    <message>
        <source>Failed to set the camera library parameter 0x%1 (status 0x%2)</source>
        <translation>Failed to set the camera library parameter 0x%1 (status 0x%2)</translation>
    </message>
    <message>
        <source>Frame Rate:%1</source>
        <extracomment>帧率:%1</extracomment>
        <translation>Frame Rate:%1</translation>
    </message>
    <message>
        <source>Line Rate:%1</source>
        <extracomment>行频:%1</extracomment>
        <translation>Line Rate:%1</translation>
    </message>
    <message>
        <source>Refresh Rate:%1</source>
        <extracomment>刷新帧率:%1</extracomment>
        <translation>Refresh Rate:%1</translation>
    </message>
    <message>
        <source>Frame Count:%1</source>
        <extracomment>总帧数:%1</extracomment>
        <translation>Frame Count:%1</translation>
    </message>
    <message>
        <source>CC1 Count:%1</source>
        <extracomment>CC1个数:%1</extracomment>
        <translation>CC1 Count:%1</translation>
    </message>
    <message>
        <source>Resend Packet:%1</source>
        <extracomment>重传包:%1</extracomment>
        <translation>Resend Packet:%1</translation>
    </message>
    <message>
        <source>Lost Packet:%1</source>
        <extracomment>丢包:%1</extracomment>
        <translation>Lost Packet:%1</translation>
    </message>
    <message>
        <source>Resend Timeout:%1</source>
        <extracomment>重传时间:%1</extracomment>
        <translation>Resend Timeout:%1</translation>
    </message>
    <message>
        <source>Image saved successfully</source>
        <translation>Image saved successfully</translation>
    </message>
    <message>
        <source>Video saved successfully</source>
        <translation>Video saved successfully</translation>
    </message>
    <message>
        <source>Out of memory, waiting for the image to save ...</source>
        <translation>Out of memory, waiting for the image to save ...</translation>
    </message>
    <message>
        <source>Save video file is too large, Exit save</source>
        <translation>Save video file is too large, Exit save</translation>
    </message>
    <message>
        <source>The saved video file is too large and automatically saved as a new file</source>
        <translation>The saved video file is too large and automatically saved as a new file</translation>
    </message>
    <message>
        <source>Failed to write video data, Exit saving</source>
        <translation>Failed to write video data, Exit saving</translation>
    </message>
    <message>
        <source>Failed to write video data and automatically saved as a new file</source>
        <translation>Failed to write video data and automatically saved as a new file</translation>
    </message>
    <message>
        <source>Failed to load image</source>
        <translation type="vanished">Failed to load image</translation>
    </message>
    <message>
        <source>The loading image failed, please reload the program in case of unknown error</source>
        <translation>The loading image failed, please reload the program in case of unknown error</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Please open the device!</source>
        <translation>Please open the device!</translation>
    </message>
    <message>
        <source>Waring</source>
        <translation>Waring</translation>
    </message>
    <message>
        <source>The path does not exist, make sure the software is installed correctly?</source>
        <translation>The path does not exist, make sure the software is installed correctly?</translation>
    </message>
    <message>
        <source>%1
Viewer and service tool for machine-vision cameras and frame grabbers.
Qt %2</source>
        <translation>%1
Viewer and service tool for machine-vision cameras and frame grabbers.
Qt %2</translation>
    </message>
    <message>
        <source>The program is doing something else, Please try again later!</source>
        <translation>The program is doing something else, Please try again later!</translation>
    </message>
    <message>
        <source>Pixel Clock:%1 MHz</source>
        <extracomment>像素时钟:%1 MHz</extracomment>
        <translation>Pixel Clock:%1 MHz</translation>
    </message>
    <message>
        <source>Conncet:1.25Gbps</source>
        <translation>Conncet:1.25Gbps</translation>
    </message>
    <message>
        <source>Conncet:2.5Gbps</source>
        <translation>Conncet:2.5Gbps</translation>
    </message>
    <message>
        <source>Conncet:3.125Gbps</source>
        <translation>Conncet:3.125Gbps</translation>
    </message>
    <message>
        <source>Conncet:5Gbps</source>
        <translation>Conncet:5Gbps</translation>
    </message>
    <message>
        <source>Conncet:10Gbps</source>
        <translation>Conncet:10Gbps</translation>
    </message>
    <message>
        <source>Conncet:12.5Gbps</source>
        <translation>Conncet:12.5Gbps</translation>
    </message>
    <message>
        <source>Conncet:11.25Gbps</source>
        <translation>Conncet:11.25Gbps</translation>
    </message>
    <message>
        <source>Conncet:6.25Gbps</source>
        <translation>Conncet:6.25Gbps</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Original Size</source>
        <translation>Original Size</translation>
    </message>
    <message>
        <source>Full Screen</source>
        <translation>Full Screen</translation>
    </message>
    <message>
        <source>Qt&apos;s Chinese translation (qtbase_zh_CN.qm) is not in %1: file dialogs stay in English</source>
        <translation>Qt&apos;s Chinese translation (qtbase_zh_CN.qm) is not in %1: file dialogs stay in English</translation>
    </message>
    <message>
        <source>Failed to load image: %1 is not an image file</source>
        <translation type="vanished">Failed to load image: %1 is not an image file</translation>
    </message>
    <message>
        <source>Image saved successfully: %1</source>
        <translation>Image saved successfully: %1</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 does not exist</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 is not a file</translation>
    </message>
    <message>
        <source>%1 is not an image file this program reads</source>
        <translation>%1 is not an image file this program reads</translation>
    </message>
    <message>
        <source>Failed to load image: %1</source>
        <translation>Failed to load image: %1</translation>
    </message>
    <message>
        <source>The camera file task</source>
        <translation>The camera file task</translation>
    </message>
    <message>
        <source>Software trigger failed</source>
        <extracomment>软触发失败</extracomment>
        <translation>Software trigger failed</translation>
    </message>
    <message>
        <source>Board Configuration File (*.zbcf)</source>
        <translation>Board Configuration File (*.zbcf)</translation>
    </message>
    <message>
        <source>Camera Configuration File (*.ccf)</source>
        <translation>Camera Configuration File (*.ccf)</translation>
    </message>
    <message>
        <source>Save Configuration File</source>
        <translation>Save Configuration File</translation>
    </message>
    <message>
        <source>Open Configuration File</source>
        <translation>Open Configuration File</translation>
    </message>
    <message>
        <source>Configuration file saved: %1</source>
        <translation>Configuration file saved: %1</translation>
    </message>
    <message>
        <source>Configuration file loaded: %1</source>
        <translation>Configuration file loaded: %1</translation>
    </message>
    <message>
        <source>PCIe State:</source>
        <extracomment>PCIe状态:</extracomment>
        <translation>PCIe State:</translation>
    </message>
    <message>
        <source>Warning : The line link is insufficient. It is recommended to replace the board or slot!</source>
        <translation>Warning : The line link is insufficient. It is recommended to replace the board or slot!</translation>
    </message>
    <message>
        <source>The camera cannot switch its pixel shift: %1</source>
        <extracomment>相机无法切换像素位移模式:%1</extracomment>
        <translation>The camera cannot switch its pixel shift: %1</translation>
    </message>
    <message>
        <source>Save Video File</source>
        <translation>Save Video File</translation>
    </message>
    <message>
        <source>Video File(*.h264)</source>
        <translation>Video File(*.h264)</translation>
    </message>
    <message>
        <source>Failed to create video file</source>
        <extracomment>创建视频文件失败</extracomment>
        <translation>Failed to create video file</translation>
    </message>
    <message>
        <source>Failed to set the camera heartbeat time-out: %1</source>
        <extracomment>设置相机心跳超时失败:%1</extracomment>
        <translation>Failed to set the camera heartbeat time-out: %1</translation>
    </message>
</context>
<context>
    <name>QBaseMessageBox</name>
    <message>
        <source>Yes</source>
        <extracomment>是</extracomment>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <extracomment>否</extracomment>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>QCustomDisplaySetting</name>
    <message>
        <source>Display Setting</source>
        <translation>Display Setting</translation>
    </message>
    <message>
        <source>Pixel Depth</source>
        <translation>Pixel Depth</translation>
    </message>
    <message>
        <source>Select the pixel depth of image to be display.
(8bits should select bit range)</source>
        <translation>Select the pixel depth of image to be display.
(8bits should select bit range)</translation>
    </message>
    <message>
        <source>8bits</source>
        <translation>8bits</translation>
    </message>
    <message>
        <source>16bits</source>
        <translation>16bits</translation>
    </message>
    <message>
        <source>adaptive</source>
        <translation>adaptive</translation>
    </message>
    <message>
        <source>Bit Range</source>
        <translation>Bit Range</translation>
    </message>
    <message>
        <source>Select the Bit range of the image to be display.
(8 Bits Monochrome or 8 Bits per RGB color)</source>
        <translation>Select the Bit range of the image to be display.
(8 Bits Monochrome or 8 Bits per RGB color)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>QCustomFFTWidget</name>
    <message>
        <source>FFT</source>
        <translation>FFT</translation>
    </message>
    <message>
        <source>Computing the spectrum</source>
        <translation>Computing the spectrum</translation>
    </message>
</context>
<context>
    <name>QCustomMultipleLightWidget</name>
    <message>
        <source>Multiple Light</source>
        <translation>Multiple Light</translation>
    </message>
    <message>
        <source>Multiple Light Count:</source>
        <translation>Multiple Light Count:</translation>
    </message>
</context>
<context>
    <name>QCustomPictureCanvas</name>
    <message>
        <source>Showing the picture</source>
        <translation>Showing the picture</translation>
    </message>
</context>
<context>
    <name>QCustomPictureView</name>
    <message>
        <source>Thumbnail</source>
        <translation>Thumbnail</translation>
    </message>
</context>
<context>
    <name>QCustomPictureWidget</name>
    <message>
        <source>Zoom In</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>Pixel Format</source>
        <translation>Pixel Format</translation>
    </message>
    <message>
        <source>Decimal</source>
        <translation>Decimal</translation>
    </message>
    <message>
        <source>Hexadecimal</source>
        <translation>Hexadecimal</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>Flip</translation>
    </message>
    <message>
        <source>Flip X</source>
        <translation>Flip X</translation>
    </message>
    <message>
        <source>Flip Y</source>
        <translation>Flip Y</translation>
    </message>
    <message>
        <source>Display Mode</source>
        <translation>Display Mode</translation>
    </message>
    <message>
        <source>Pixel Displacement 2x2</source>
        <translation>Pixel Displacement 2x2</translation>
    </message>
    <message>
        <source>Pixel Displacement 4x4</source>
        <translation>Pixel Displacement 4x4</translation>
    </message>
    <message>
        <source>Multiple Light</source>
        <translation>Multiple Light</translation>
    </message>
    <message>
        <source>FFT</source>
        <translation>FFT</translation>
    </message>
    <message>
        <source>Display Setting</source>
        <translation>Display Setting</translation>
    </message>
    <message>
        <source>Goto Pixel</source>
        <translation>Goto Pixel</translation>
    </message>
    <message>
        <source>Zoom Fit</source>
        <translation>Zoom Fit</translation>
    </message>
    <message>
        <source>Original Size</source>
        <translation>Original Size</translation>
    </message>
    <message>
        <source>Maximum Image</source>
        <translation>Maximum Image</translation>
    </message>
    <message>
        <source>Blank Image</source>
        <translation>Blank Image</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>Bayer</source>
        <translation>Bayer</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Gray</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Channel%1</source>
        <translation>Channel%1</translation>
    </message>
    <message>
        <source>Odd Row</source>
        <translation>Odd Row</translation>
    </message>
    <message>
        <source>Even Row</source>
        <translation>Even Row</translation>
    </message>
    <message>
        <source>Odd Column</source>
        <translation>Odd Column</translation>
    </message>
    <message>
        <source>Even Column</source>
        <translation>Even Column</translation>
    </message>
</context>
<context>
    <name>QCustomPixelSetting</name>
    <message>
        <source>Pixel Setting</source>
        <translation>Pixel Setting</translation>
    </message>
    <message>
        <source>X :</source>
        <translation>X :</translation>
    </message>
    <message>
        <source>Y :</source>
        <translation>Y :</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>QCustomProfileLineWidget</name>
    <message>
        <source>Horizontal Profile Line</source>
        <translation>Horizontal Profile Line</translation>
    </message>
    <message>
        <source>Vertical Profile Line</source>
        <translation>Vertical Profile Line</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
</context>
<context>
    <name>VQtAcqRegisterDlg</name>
    <message>
        <source>Board Command</source>
        <translation>Board Command</translation>
    </message>
    <message>
        <source>Address(0x):</source>
        <translation>Address(0x):</translation>
    </message>
    <message>
        <source>Value(0x):</source>
        <translation>Value(0x):</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>CRC Verify</source>
        <translation>CRC Verify</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Please open the board !</source>
        <translation>Please open the board !</translation>
    </message>
    <message>
        <source>%1 %2 is larger than 32 bits; nothing was sent.</source>
        <translation>%1 %2 is larger than 32 bits; nothing was sent.</translation>
    </message>
    <message>
        <source>The read address is null !</source>
        <translation>The read address is null !</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Read Address:%1</source>
        <translation>Read Address:%1</translation>
    </message>
    <message>
        <source>The write address or value is null !</source>
        <translation>The write address or value is null !</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Write Address:%1 , Value:%2</source>
        <translation>Write Address:%1 , Value:%2</translation>
    </message>
    <message>
        <source>This card type is not a CXP acquisition card !</source>
        <translation>This card type is not a CXP acquisition card !</translation>
    </message>
    <message>
        <source>The board has not answered the previous operation yet; nothing was sent.</source>
        <translation>The board has not answered the previous operation yet; nothing was sent.</translation>
    </message>
    <message>
        <source>Crc verify completed</source>
        <translation>Crc verify completed</translation>
    </message>
    <message>
        <source>Error Code:%1</source>
        <translation>Error Code:%1</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Success</translation>
    </message>
    <message>
        <source>Read Value:%1</source>
        <translation>Read Value:%1</translation>
    </message>
</context>
<context>
    <name>VQtAcqRegisterThread</name>
    <message>
        <source>Board register access</source>
        <translation>Board register access</translation>
    </message>
</context>
<context>
    <name>VQtAdvancedHistogram</name>
    <message>
        <source>Advanced Analytics</source>
        <translation>Advanced Analytics</translation>
    </message>
    <message>
        <source>Column Mean</source>
        <translation>Column Mean</translation>
    </message>
    <message>
        <source>Column RMS</source>
        <translation>Column RMS</translation>
    </message>
    <message>
        <source>FFT</source>
        <translation>FFT</translation>
    </message>
</context>
<context>
    <name>VQtBackendSelection</name>
    <message>
        <source>Option %1 needs a list of backends (%2)</source>
        <translation>Option %1 needs a list of backends (%2)</translation>
    </message>
    <message>
        <source>Unknown device backend &quot;%1&quot; (known: %2)</source>
        <translation>Unknown device backend &quot;%1&quot; (known: %2)</translation>
    </message>
</context>
<context>
    <name>VQtBadPixelModel</name>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Col</source>
        <translation>Col</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Col(Start)</source>
        <translation>Col(Start)</translation>
    </message>
    <message>
        <source>Col(End)</source>
        <translation>Col(End)</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Row(Start)</source>
        <translation>Row(Start)</translation>
    </message>
    <message>
        <source>Row(End)</source>
        <translation>Row(End)</translation>
    </message>
</context>
<context>
    <name>VQtBadPixelWidget</name>
    <message>
        <source>Bad Pixel Statistics</source>
        <translation>Bad Pixel Statistics</translation>
    </message>
    <message>
        <source>X Start:</source>
        <translation>X Start:</translation>
    </message>
    <message>
        <source>Y Start:</source>
        <translation>Y Start:</translation>
    </message>
    <message>
        <source>X Stop:</source>
        <translation>X Stop:</translation>
    </message>
    <message>
        <source>Y Stop:</source>
        <translation>Y Stop:</translation>
    </message>
    <message>
        <source>Horizontal:</source>
        <translation>Horizontal:</translation>
    </message>
    <message>
        <source>Vertical:</source>
        <translation>Vertical:</translation>
    </message>
    <message>
        <source>Range:</source>
        <translation>Range:</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Frames:</source>
        <translation>Frames:</translation>
    </message>
    <message>
        <source>Remaining Frames:</source>
        <translation>Remaining Frames:</translation>
    </message>
    <message>
        <source>ROI</source>
        <translation>ROI</translation>
    </message>
    <message>
        <source>Cluster</source>
        <translation>Cluster</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>In of Range</source>
        <translation>In of Range</translation>
    </message>
    <message>
        <source>In of Range(Contain Equal)</source>
        <translation>In of Range(Contain Equal)</translation>
    </message>
    <message>
        <source>Out of Range</source>
        <translation>Out of Range</translation>
    </message>
    <message>
        <source>Out of Range(Contain Equal)</source>
        <translation>Out of Range(Contain Equal)</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Gray</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>G</source>
        <translation>G</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>C</source>
        <translation>C</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Whole Area</source>
        <translation>Whole Area</translation>
    </message>
    <message>
        <source>Calc</source>
        <translation>Calc</translation>
    </message>
    <message>
        <source>Export to File</source>
        <translation>Export to File</translation>
    </message>
    <message>
        <source>Export Pixel</source>
        <translation>Export Pixel</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Single</translation>
    </message>
    <message>
        <source>Horizontal Cluster</source>
        <translation>Horizontal Cluster</translation>
    </message>
    <message>
        <source>Vertical Cluster</source>
        <translation>Vertical Cluster</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Please conduct the grab operation first!</source>
        <translation>Please conduct the grab operation first!</translation>
    </message>
    <message>
        <source>Set value is out of roi range!</source>
        <translation>Set value is out of roi range!</translation>
    </message>
    <message>
        <source>There&apos;s too much bad pixel, just the first 100000 shows!</source>
        <translation>There&apos;s too much bad pixel, just the first 100000 shows!</translation>
    </message>
    <message>
        <source>No Bad Pixel Data!</source>
        <translation>No Bad Pixel Data!</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Writing to CSV file failed !</source>
        <translation>Writing to CSV file failed !</translation>
    </message>
    <message>
        <source>Save csv file</source>
        <translation>Save csv file</translation>
    </message>
    <message>
        <source>Please check if the settings are correct !</source>
        <translation>Please check if the settings are correct !</translation>
    </message>
    <message>
        <source>Setting out of range, please reset !</source>
        <translation>Setting out of range, please reset !</translation>
    </message>
</context>
<context>
    <name>VQtBoardLinkEvents</name>
    <message>
        <source>CXP over current event happen</source>
        <extracomment>CXP过电流保护事件发生</extracomment>
        <translation>CXP over current event happen</translation>
    </message>
    <message>
        <source>CRC check error</source>
        <extracomment>CRC检测错误</extracomment>
        <translation>CRC check error</translation>
    </message>
    <message>
        <source>CRC check error, count = %d</source>
        <extracomment>CRC检测错误, 个数为%d</extracomment>
        <translation>CRC check error, count = %d</translation>
    </message>
    <message>
        <source>CRC check error:stream channel %c , error count = %d</source>
        <extracomment>CRC检测错误:流通道为%c,错误个数为%d</extracomment>
        <translation>CRC check error:stream channel %c , error count = %d</translation>
    </message>
    <message>
        <source>Transfer error happen:stream channel %c, lost count = %d, error count = %d</source>
        <extracomment>传输错误发生:流通道为%c,丢失个数为%d, 错误个数为%d</extracomment>
        <translation>Transfer error happen:stream channel %c, lost count = %d, error count = %d</translation>
    </message>
</context>
<context>
    <name>VQtCodingTable</name>
    <message>
        <source>line %1 is missing</source>
        <translation>line %1 is missing</translation>
    </message>
    <message>
        <source>line %1 is longer than %2 characters</source>
        <translation>line %1 is longer than %2 characters</translation>
    </message>
    <message>
        <source>line %1 is not two numbers 0 ~ 65535 separated by a comma</source>
        <translation>line %1 is not two numbers 0 ~ 65535 separated by a comma</translation>
    </message>
</context>
<context>
    <name>VQtColorCalibration</name>
    <message>
        <source>No color calibration file &quot;%1&quot;: color correction and gamma are off.</source>
        <translation>No color calibration file &quot;%1&quot;: color correction and gamma are off.</translation>
    </message>
    <message>
        <source>Cannot read the color calibration file &quot;%1&quot;: %2. Color correction and gamma are off.</source>
        <translation>Cannot read the color calibration file &quot;%1&quot;: %2. Color correction and gamma are off.</translation>
    </message>
    <message>
        <source>The color calibration file &quot;%1&quot; holds %2 comma-separated values instead of 9: color correction and gamma are off.</source>
        <translation type="vanished">The color calibration file &quot;%1&quot; holds %2 comma-separated values instead of 9: color correction and gamma are off.</translation>
    </message>
    <message>
        <source>Color calibration loaded from &quot;%1&quot;.</source>
        <translation>Color calibration loaded from &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>it holds %1 comma-separated values instead of 9</source>
        <translation>it holds %1 comma-separated values instead of 9</translation>
    </message>
    <message>
        <source>value %1 (&quot;%2&quot;) is not a whole number</source>
        <translation>value %1 (&quot;%2&quot;) is not a whole number</translation>
    </message>
    <message>
        <source>value %1 (%2) is out of range</source>
        <translation>value %1 (%2) is out of range</translation>
    </message>
    <message>
        <source>The color calibration file &quot;%1&quot; is refused: %2. Color correction and gamma are off.</source>
        <translation>The color calibration file &quot;%1&quot; is refused: %2. Color correction and gamma are off.</translation>
    </message>
</context>
<context>
    <name>VQtCsvFile</name>
    <message>
        <source>line 1 does not read &quot;comment line&quot;</source>
        <translation>line 1 does not read &quot;comment line&quot;</translation>
    </message>
    <message>
        <source>line 2 does not read &quot;input,output&quot;</source>
        <translation>line 2 does not read &quot;input,output&quot;</translation>
    </message>
    <message>
        <source>%1 fields where 2 are expected</source>
        <translation>%1 fields where 2 are expected</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a whole number</source>
        <translation>&quot;%1&quot; is not a whole number</translation>
    </message>
    <message>
        <source>more than %1 entries</source>
        <translation>more than %1 entries</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>Cannot open %1: %2</translation>
    </message>
    <message>
        <source>%1 is larger than any correction table</source>
        <translation>%1 is larger than any correction table</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>line %1: %2</translation>
    </message>
</context>
<context>
    <name>VQtCurveWidget</name>
    <message>
        <source>B_Spline</source>
        <translation>B_Spline</translation>
    </message>
    <message>
        <source>Input:</source>
        <translation>Input:</translation>
    </message>
    <message>
        <source>Output:</source>
        <translation>Output:</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Range: %1 ~ %2, The most recent value has been inserted.</source>
        <translation>Range: %1 ~ %2, The most recent value has been inserted.</translation>
    </message>
</context>
<context>
    <name>VQtDevice</name>
    <message>
        <source>the folder %1 cannot be written</source>
        <translation>the folder %1 cannot be written</translation>
    </message>
    <message>
        <source>Board configuration file &quot;%1&quot; not loaded: %2</source>
        <translation>Board configuration file &quot;%1&quot; not loaded: %2</translation>
    </message>
    <message>
        <source>Camera configuration file &quot;%1&quot; not loaded: %2</source>
        <translation>Camera configuration file &quot;%1&quot; not loaded: %2</translation>
    </message>
    <message>
        <source>no board is open</source>
        <translation>no board is open</translation>
    </message>
    <message>
        <source>no camera is open</source>
        <translation>no camera is open</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>the file cannot be read</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>it is a camera configuration file</source>
        <translation>it is a camera configuration file</translation>
    </message>
    <message>
        <source>it is a board configuration file</source>
        <translation>it is a board configuration file</translation>
    </message>
    <message>
        <source>Board configuration file &quot;%1&quot; not saved: %2</source>
        <translation>Board configuration file &quot;%1&quot; not saved: %2</translation>
    </message>
    <message>
        <source>Camera configuration file &quot;%1&quot; not saved: %2</source>
        <translation>Camera configuration file &quot;%1&quot; not saved: %2</translation>
    </message>
</context>
<context>
    <name>VQtDeviceControl</name>
    <message>
        <source>Device command %1 failed: %2</source>
        <translation>Device command %1 failed: %2</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>Get device count is %1</source>
        <extracomment>获取设备个数为%1</extracomment>
        <translation>Get device count is %1</translation>
    </message>
    <message>
        <source>Unknown device type %1</source>
        <translation>Unknown device type %1</translation>
    </message>
    <message>
        <source>Adaptive device scan type failure</source>
        <translation>Adaptive device scan type failure</translation>
    </message>
    <message>
        <source>Adaptive image width failure</source>
        <translation>Adaptive image width failure</translation>
    </message>
    <message>
        <source>Adaptive image height failure</source>
        <translation>Adaptive image height failure</translation>
    </message>
    <message>
        <source>Adaptive image pixel format failure</source>
        <translation>Adaptive image pixel format failure</translation>
    </message>
    <message>
        <source>Adaptive device tap geometry failure</source>
        <translation>Adaptive device tap geometry failure</translation>
    </message>
    <message>
        <source>Frame trigger ignored</source>
        <extracomment>帧触发忽略</extracomment>
        <translation>Frame trigger ignored</translation>
    </message>
    <message>
        <source>Feature polling stopped: %1</source>
        <translation>Feature polling stopped: %1</translation>
    </message>
    <message>
        <source>MAC : </source>
        <translation>MAC : </translation>
    </message>
    <message>
        <source>,Force to Ip : </source>
        <translation>,Force to Ip : </translation>
    </message>
    <message>
        <source> Failure</source>
        <translation> Failure</translation>
    </message>
</context>
<context>
    <name>VQtDeviceStream</name>
    <message>
        <source>Failed to allocate memory</source>
        <translation type="vanished">Failed to allocate memory</translation>
    </message>
    <message>
        <source>No image to save</source>
        <translation>No image to save</translation>
    </message>
    <message>
        <source>%1 holds an empty frame (%2 x %3 pixels): nothing to show</source>
        <translation>%1 holds an empty frame (%2 x %3 pixels): nothing to show</translation>
    </message>
    <message>
        <source>Cannot show the frame: %1</source>
        <translation>Cannot show the frame: %1</translation>
    </message>
    <message>
        <source>Failed to allocate memory for a %1 x %2 frame</source>
        <translation>Failed to allocate memory for a %1 x %2 frame</translation>
    </message>
    <message>
        <source>Please open the device!</source>
        <translation>Please open the device!</translation>
    </message>
    <message>
        <source>Starting the grab failed: %1</source>
        <translation>Starting the grab failed: %1</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>The display loop did not end in time</source>
        <translation>The display loop did not end in time</translation>
    </message>
    <message>
        <source>Apply memory failure</source>
        <extracomment>申请内存失败</extracomment>
        <translation>Apply memory failure</translation>
    </message>
    <message>
        <source>Grab stop</source>
        <extracomment>采集停止</extracomment>
        <translation>Grab stop</translation>
    </message>
    <message>
        <source>Grab timeout</source>
        <extracomment>采集超时</extracomment>
        <translation>Grab timeout</translation>
    </message>
    <message>
        <source>%1 failed: %2</source>
        <translation>%1 failed: %2</translation>
    </message>
    <message>
        <source>Stop the grab before opening an image</source>
        <translation>Stop the grab before opening an image</translation>
    </message>
    <message>
        <source>Failed to get image info</source>
        <extracomment>获取图像信息失败</extracomment>
        <translation>Failed to get image info</translation>
    </message>
    <message>
        <source>Incomplete frame / line</source>
        <extracomment>不完整帧/行</extracomment>
        <translation>Incomplete frame / line</translation>
    </message>
    <message>
        <source>Grab frame lost</source>
        <extracomment>帧丢失</extracomment>
        <translation>Grab frame lost</translation>
    </message>
    <message>
        <source>Frame ignored</source>
        <extracomment>帧忽略</extracomment>
        <translation>Frame ignored</translation>
    </message>
    <message>
        <source>Failed to set stream parameter</source>
        <extracomment>设置流参数失败</extracomment>
        <translation>Failed to set stream parameter</translation>
    </message>
    <message>
        <source>New Buffer failure</source>
        <extracomment>新建缓冲区失败</extracomment>
        <translation>New Buffer failure</translation>
    </message>
    <message>
        <source>Alloc Stream failure</source>
        <extracomment>申请流失败</extracomment>
        <translation>Alloc Stream failure</translation>
    </message>
    <message>
        <source>Stream add buffer failure</source>
        <extracomment>流中添加缓冲区失败</extracomment>
        <translation>Stream add buffer failure</translation>
    </message>
    <message>
        <source>Image data error</source>
        <extracomment>图像数据异常</extracomment>
        <translation>Image data error</translation>
    </message>
    <message>
        <source>Buffer status:%1</source>
        <extracomment>缓冲区状态为:%1</extracomment>
        <translation>Buffer status:%1</translation>
    </message>
    <message>
        <source>Frame is lost,Block_Id: from %1 to %2</source>
        <extracomment>帧丢失,区块ID:%1 到 %2</extracomment>
        <translation>Frame is lost,Block_Id: from %1 to %2</translation>
    </message>
    <message>
        <source>Frame is lost,Block_Id:%1</source>
        <extracomment>帧丢失,区块ID:%1</extracomment>
        <translation>Frame is lost,Block_Id:%1</translation>
    </message>
    <message>
        <source>Failed to create video file %1: no grab is running</source>
        <translation>Failed to create video file %1: no grab is running</translation>
    </message>
</context>
<context>
    <name>VQtDeviceWidget</name>
    <message>
        <source>Device Feature</source>
        <translation>Device Feature</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>Device List</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Search Feature</source>
        <translation>Search Feature</translation>
    </message>
    <message>
        <source>User Level:</source>
        <translation>User Level:</translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation>Beginner</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Expert</translation>
    </message>
    <message>
        <source>Guru</source>
        <translation>Guru</translation>
    </message>
    <message>
        <source>Feature ToolTip</source>
        <translation>Feature ToolTip</translation>
    </message>
    <message>
        <source>Feature Tree</source>
        <translation>Feature Tree</translation>
    </message>
    <message>
        <source>Frame Grabber</source>
        <translation>Frame Grabber</translation>
    </message>
    <message>
        <source>Feature</source>
        <translation>Feature</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Camera</translation>
    </message>
    <message>
        <source>Common Feature</source>
        <translation>Common Feature</translation>
    </message>
    <message>
        <source>Camera IP and Host NIC IP in not subnet !</source>
        <translation>Camera IP and Host NIC IP in not subnet !</translation>
    </message>
    <message>
        <source>Working...</source>
        <extracomment>正在执行...</extracomment>
        <translation>Working...</translation>
    </message>
    <message>
        <source>The device is doing other operations. Please try again later</source>
        <extracomment>设备正在进行其他操作，请稍后再试</extracomment>
        <translation>The device is doing other operations. Please try again later</translation>
    </message>
    <message>
        <source>Please select the camera you want to open !</source>
        <extracomment>请选择需要打开的相机 !</extracomment>
        <translation>Please select the camera you want to open !</translation>
    </message>
    <message>
        <source>Device remove</source>
        <extracomment>设备移除</extracomment>
        <translation>Device remove</translation>
    </message>
    <message>
        <source>Probe</source>
        <extracomment>探测</extracomment>
        <translation>Probe</translation>
    </message>
    <message>
        <source>Camera IP is the same as Host NIC IP !</source>
        <translation>Camera IP is the same as Host NIC IP !</translation>
    </message>
    <message>
        <source>Multiple cameras have the same IP !</source>
        <translation>Multiple cameras have the same IP !</translation>
    </message>
</context>
<context>
    <name>VQtFeatureText</name>
    <message>
        <source>The name translation file &quot;%1&quot; is not used: %2. The built-in names are used instead.</source>
        <extracomment>名称翻译文件“%1”未使用：%2。改用内置的名称。</extracomment>
        <translation>The name translation file &quot;%1&quot; is not used: %2. The built-in names are used instead.</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <extracomment>文件不存在</extracomment>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>the file is too large</source>
        <extracomment>文件过大</extracomment>
        <translation>the file is too large</translation>
    </message>
    <message>
        <source>it is not UTF-8 text</source>
        <extracomment>不是UTF-8文本</extracomment>
        <translation>it is not UTF-8 text</translation>
    </message>
    <message>
        <source>it has lines that are not &quot;name=text&quot;</source>
        <extracomment>不是“名称=译文”格式的行</extracomment>
        <translation>it has lines that are not &quot;name=text&quot;</translation>
    </message>
    <message>
        <source>it names nothing</source>
        <extracomment>没有任何名称</extracomment>
        <translation>it names nothing</translation>
    </message>
</context>
<context>
    <name>VQtFftWidget</name>
    <message>
        <source>FFT Curve</source>
        <translation>FFT Curve</translation>
    </message>
    <message>
        <source>Column : %1</source>
        <translation>Column : %1</translation>
    </message>
</context>
<context>
    <name>VQtFileAccessDlg</name>
    <message>
        <source>FileIO</source>
        <translation>FileIO</translation>
    </message>
    <message>
        <source>%1 offers no files.</source>
        <translation>%1 offers no files.</translation>
    </message>
    <message>
        <source>Files of %1:</source>
        <translation>Files of %1:</translation>
    </message>
    <message>
        <source>Reading, writing and deleting camera files is not available on this platform.</source>
        <translation>Reading, writing and deleting camera files is not available on this platform.</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>The camera file %1 cannot be read on this platform.</source>
        <translation>The camera file %1 cannot be read on this platform.</translation>
    </message>
    <message>
        <source>The camera file %1 cannot be written on this platform.</source>
        <translation>The camera file %1 cannot be written on this platform.</translation>
    </message>
    <message>
        <source>The camera file %1 cannot be deleted on this platform.</source>
        <translation>The camera file %1 cannot be deleted on this platform.</translation>
    </message>
</context>
<context>
    <name>VQtFirmwareFile</name>
    <message>
        <source>Failed to open firmware file!</source>
        <translation>Failed to open firmware file!</translation>
    </message>
    <message>
        <source>Failed to read firmware file!</source>
        <translation>Failed to read firmware file!</translation>
    </message>
    <message>
        <source>Firmware file data format error!</source>
        <translation>Firmware file data format error!</translation>
    </message>
    <message>
        <source>The firmware file is larger than the camera can take!</source>
        <translation>The firmware file is larger than the camera can take!</translation>
    </message>
    <message>
        <source>The firmware file holds no firmware data!</source>
        <translation>The firmware file holds no firmware data!</translation>
    </message>
    <message>
        <source>Failed to get camera firmware version !</source>
        <translation>Failed to get camera firmware version !</translation>
    </message>
    <message>
        <source>Camera MCU protocol version is out of range !</source>
        <translation>Camera MCU protocol version is out of range !</translation>
    </message>
    <message>
        <source>Camera MCU firmware version is out of range !</source>
        <translation>Camera MCU firmware version is out of range !</translation>
    </message>
    <message>
        <source>Camera PCB firmware version is out of range !</source>
        <translation>Camera PCB firmware version is out of range !</translation>
    </message>
    <message>
        <source>Camera FPGA firmware version is out of range !</source>
        <translation>Camera FPGA firmware version is out of range !</translation>
    </message>
</context>
<context>
    <name>VQtFirmwareThread</name>
    <message>
        <source>Download Firmware</source>
        <translation>Download Firmware</translation>
    </message>
    <message>
        <source>Please waiting power light turns green and repower camera ...</source>
        <translation>Please waiting power light turns green and repower camera ...</translation>
    </message>
    <message>
        <source>Please waiting power light turns green and repower camera.</source>
        <translation>Please waiting power light turns green and repower camera.</translation>
    </message>
    <message>
        <source>Firmware Upgrading</source>
        <translation>Firmware Upgrading</translation>
    </message>
    <message>
        <source>Failed to start update firmware</source>
        <translation>Failed to start update firmware</translation>
    </message>
    <message>
        <source>Failed to set firmware size</source>
        <translation>Failed to set firmware size</translation>
    </message>
    <message>
        <source>Failed to load firmware</source>
        <translation>Failed to load firmware</translation>
    </message>
    <message>
        <source>Failed to update firmware</source>
        <translation>Failed to update firmware</translation>
    </message>
    <message>
        <source>Failed to erasing</source>
        <translation>Failed to erasing</translation>
    </message>
    <message>
        <source>Erasing Firmware</source>
        <translation>Erasing Firmware</translation>
    </message>
    <message>
        <source>Failed to write</source>
        <translation>Failed to write</translation>
    </message>
    <message>
        <source>Failed to check update</source>
        <translation>Failed to check update</translation>
    </message>
    <message>
        <source>Failed to preparing download firmware</source>
        <translation>Failed to preparing download firmware</translation>
    </message>
    <message>
        <source>Please open the device!</source>
        <translation>Please open the device!</translation>
    </message>
    <message>
        <source>The current device firmware update type is not supported!</source>
        <translation>The current device firmware update type is not supported!</translation>
    </message>
    <message>
        <source>The camera does not support firmware update!</source>
        <translation>The camera does not support firmware update!</translation>
    </message>
    <message>
        <source>Firmware file and camera name do not match, Do you want to continue updating?</source>
        <translation>Firmware file and camera name do not match, Do you want to continue updating?</translation>
    </message>
    <message>
        <source>Firmware file is made for %1, not for %2.</source>
        <translation>Firmware file is made for %1, not for %2.</translation>
    </message>
    <message>
        <source>Firmware upgrade</source>
        <translation>Firmware upgrade</translation>
    </message>
</context>
<context>
    <name>VQtFirmwareUpgradeDlg</name>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation>Firmware Upgrade</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>File Name:</translation>
    </message>
    <message>
        <source>Firmware Type:</source>
        <translation>Firmware Type:</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Upgrade</translation>
    </message>
    <message>
        <source>Download Firmware</source>
        <translation>Download Firmware</translation>
    </message>
    <message>
        <source>Firmware File</source>
        <translation>Firmware File</translation>
    </message>
    <message>
        <source>Please open the device!</source>
        <translation>Please open the device!</translation>
    </message>
    <message>
        <source>The file is empty. Please select the file!</source>
        <translation>The file is empty. Please select the file!</translation>
    </message>
    <message>
        <source>The file does not exist. Please select it again!</source>
        <translation>The file does not exist. Please select it again!</translation>
    </message>
    <message>
        <source>The firmware type does not match the file, please check the reason!</source>
        <translation>The firmware type does not match the file, please check the reason!</translation>
    </message>
    <message>
        <source>Firmware upgrade failed.</source>
        <translation>Firmware upgrade failed.</translation>
    </message>
    <message>
        <source>Firmware upgrade finished.</source>
        <translation>Firmware upgrade finished.</translation>
    </message>
    <message>
        <source>Please waiting power light turns green and repower camera!</source>
        <translation>Please waiting power light turns green and repower camera!</translation>
    </message>
    <message>
        <source>Re-Power Camera to Finish Firmware Upgrading Process!</source>
        <translation>Re-Power Camera to Finish Firmware Upgrading Process!</translation>
    </message>
    <message>
        <source>Firmware Upgrading</source>
        <translation>Firmware Upgrading</translation>
    </message>
    <message>
        <source>Download Firmware is in progress, whether to stop?</source>
        <translation>Download Firmware is in progress, whether to stop?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Firmware Upgrade is in progress, make sure the upgrade is complete</source>
        <translation>Firmware Upgrade is in progress, make sure the upgrade is complete</translation>
    </message>
</context>
<context>
    <name>VQtForceIpDlg</name>
    <message>
        <source>Force IP</source>
        <translation>Force IP</translation>
    </message>
    <message>
        <source>Force IP:</source>
        <translation>Force IP:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Please enter a complete IP address!</source>
        <translation>Please enter a complete IP address!</translation>
    </message>
    <message>
        <source>The last column of an IP address cannot be 0 or 255!</source>
        <translation>The last column of an IP address cannot be 0 or 255!</translation>
    </message>
    <message>
        <source>Camera IP is the same as host NIC IP, exit !</source>
        <translation>Camera IP is the same as host NIC IP, exit !</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>VQtFrameLayout</name>
    <message>
        <source>%1-bit samples (only 8 or 16 bits can be shown)</source>
        <translation>%1-bit samples (only 8 or 16 bits can be shown)</translation>
    </message>
    <message>
        <source>%1 channels (only 1, 3 or 4 can be shown)</source>
        <translation>%1 channels (only 1, 3 or 4 can be shown)</translation>
    </message>
    <message>
        <source>a %1 x %2 frame needs %3 MiB, more than the %4 MiB of memory available</source>
        <translation>a %1 x %2 frame needs %3 MiB, more than the %4 MiB of memory available</translation>
    </message>
</context>
<context>
    <name>VQtHistogramCurve</name>
    <message>
        <source>Zoom multiples: %1</source>
        <translation>Zoom multiples: %1</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Gray</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
</context>
<context>
    <name>VQtHistogramWidget</name>
    <message>
        <source>Min:</source>
        <translation>Min:</translation>
    </message>
    <message>
        <source>Max:</source>
        <translation>Max:</translation>
    </message>
    <message>
        <source>Max-Min:</source>
        <translation>Max-Min:</translation>
    </message>
    <message>
        <source>Average:</source>
        <translation>Average:</translation>
    </message>
    <message>
        <source>Standard:</source>
        <translation>Standard:</translation>
    </message>
    <message>
        <source>Analytics</source>
        <translation>Analytics</translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation>Channel:</translation>
    </message>
    <message>
        <source>Line:</source>
        <translation>Line:</translation>
    </message>
    <message>
        <source>Column:</source>
        <translation>Column:</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>Gray:</source>
        <translation>Gray:</translation>
    </message>
    <message>
        <source>Red:</source>
        <translation>Red:</translation>
    </message>
    <message>
        <source>Green:</source>
        <translation>Green:</translation>
    </message>
    <message>
        <source>Blue:</source>
        <translation>Blue:</translation>
    </message>
    <message>
        <source>Clear:</source>
        <translation>Clear:</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Gray</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Set value is out of range!</source>
        <translation>Set value is out of range!</translation>
    </message>
</context>
<context>
    <name>VQtImageFile</name>
    <message>
        <source>the header size is %1, expected 44</source>
        <translation>the header size is %1, expected 44</translation>
    </message>
    <message>
        <source>not an image file (wrong header mark)</source>
        <translation>not an image file (wrong header mark)</translation>
    </message>
    <message>
        <source>the header gives %1</source>
        <translation>the header gives %1</translation>
    </message>
    <message>
        <source>the header gives bit depth %1 with %2-bit storage</source>
        <translation>the header gives bit depth %1 with %2-bit storage</translation>
    </message>
    <message>
        <source>the header gives unknown image type %1 or packing %2</source>
        <translation>the header gives unknown image type %1 or packing %2</translation>
    </message>
    <message>
        <source>the header gives %1 x %2 pixels, which cannot hold %3 bytes</source>
        <translation>the header gives %1 x %2 pixels, which cannot hold %3 bytes</translation>
    </message>
    <message>
        <source>%1 x %2 pixels is not a frame size</source>
        <translation>%1 x %2 pixels is not a frame size</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>Cannot open %1: %2</translation>
    </message>
    <message>
        <source>it is a folder, not an image file</source>
        <translation>it is a folder, not an image file</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>the file is not open</source>
        <translation>the file is not open</translation>
    </message>
    <message>
        <source>it is too short for an image file header</source>
        <translation>it is too short for an image file header</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>the file ended early</source>
        <translation>the file ended early</translation>
    </message>
    <message>
        <source>the frame is not a readable JPEG image</source>
        <translation>the frame is not a readable JPEG image</translation>
    </message>
    <message>
        <source>a frame of %1 x %2 pixels cannot be converted</source>
        <translation>a frame of %1 x %2 pixels cannot be converted</translation>
    </message>
    <message>
        <source>a frame of %1 x %2 pixels does not fit its %3 bytes of data</source>
        <translation>a frame of %1 x %2 pixels does not fit its %3 bytes of data</translation>
    </message>
    <message>
        <source>failed to allocate %1 bytes</source>
        <translation>failed to allocate %1 bytes</translation>
    </message>
    <message>
        <source>the frame holds no image data</source>
        <translation>the frame holds no image data</translation>
    </message>
    <message>
        <source>a raw file needs its width, height and pixel format</source>
        <translation>a raw file needs its width, height and pixel format</translation>
    </message>
    <message>
        <source>%1 bytes are too few for an image file header</source>
        <translation>%1 bytes are too few for an image file header</translation>
    </message>
    <message>
        <source>it holds no data after byte %1</source>
        <translation>it holds no data after byte %1</translation>
    </message>
    <message>
        <source>it is not a BMP, JPEG, PNG or TIFF picture</source>
        <translation>it is not a BMP, JPEG, PNG or TIFF picture</translation>
    </message>
    <message>
        <source>it is not a picture in a format that can be read</source>
        <translation>it is not a picture in a format that can be read</translation>
    </message>
</context>
<context>
    <name>VQtImageFileIO</name>
    <message>
        <source>Cannot open %1 for writing</source>
        <translation type="vanished">Cannot open %1 for writing</translation>
    </message>
    <message>
        <source>Failed to write %1</source>
        <translation type="vanished">Failed to write %1</translation>
    </message>
    <message>
        <source>The frame is not a readable JPEG image</source>
        <translation type="vanished">The frame is not a readable JPEG image</translation>
    </message>
    <message>
        <source>Frame size %1 x %2 cannot be converted</source>
        <translation type="vanished">Frame size %1 x %2 cannot be converted</translation>
    </message>
    <message>
        <source>Frame of %1-bit samples with %2 channels cannot be converted</source>
        <translation type="vanished">Frame of %1-bit samples with %2 channels cannot be converted</translation>
    </message>
    <message>
        <source>Frame size %1 x %2 does not fit its %3 bytes of data</source>
        <translation type="vanished">Frame size %1 x %2 does not fit its %3 bytes of data</translation>
    </message>
    <message>
        <source>Failed to allocate memory</source>
        <extracomment>分配内存失败</extracomment>
        <translation type="vanished">Failed to allocate memory</translation>
    </message>
    <message>
        <source>The frame holds no image data</source>
        <translation type="vanished">The frame holds no image data</translation>
    </message>
    <message>
        <source>No frame to save</source>
        <translation type="vanished">No frame to save</translation>
    </message>
    <message>
        <source>The data format chosen does not apply to this frame</source>
        <translation type="vanished">The data format chosen does not apply to this frame</translation>
    </message>
    <message>
        <source>A raw file needs its width, height and pixel format</source>
        <translation type="vanished">A raw file needs its width, height and pixel format</translation>
    </message>
    <message>
        <source>Cannot open %1</source>
        <translation type="vanished">Cannot open %1</translation>
    </message>
    <message>
        <source>%1 is too short for an image file header</source>
        <translation type="vanished">%1 is too short for an image file header</translation>
    </message>
    <message>
        <source>Failed to read the data of %1</source>
        <translation type="vanished">Failed to read the data of %1</translation>
    </message>
    <message>
        <source>%1 holds no data after byte %2</source>
        <translation type="vanished">%1 holds no data after byte %2</translation>
    </message>
    <message>
        <source>%1 is not a readable picture</source>
        <translation type="vanished">%1 is not a readable picture</translation>
    </message>
</context>
<context>
    <name>VQtImageHeader</name>
    <message>
        <source>Image file header size is %1, expected 44</source>
        <translation type="vanished">Image file header size is %1, expected 44</translation>
    </message>
    <message>
        <source>Not an image file: wrong header mark</source>
        <translation type="vanished">Not an image file: wrong header mark</translation>
    </message>
    <message>
        <source>Image file header: %1 storage bits per sample</source>
        <translation type="vanished">Image file header: %1 storage bits per sample</translation>
    </message>
    <message>
        <source>Image file header: %1 channels</source>
        <translation type="vanished">Image file header: %1 channels</translation>
    </message>
    <message>
        <source>Image file header: bit depth %1 with %2-bit storage</source>
        <translation type="vanished">Image file header: bit depth %1 with %2-bit storage</translation>
    </message>
    <message>
        <source>Image file header: unknown image type %1 or packing %2</source>
        <translation type="vanished">Image file header: unknown image type %1 or packing %2</translation>
    </message>
    <message>
        <source>Image file header: %1 x %2 pixels cannot hold %3 bytes</source>
        <translation type="vanished">Image file header: %1 x %2 pixels cannot hold %3 bytes</translation>
    </message>
    <message>
        <source>Image file header: %1 x %2 pixels is not a frame size</source>
        <translation type="vanished">Image file header: %1 x %2 pixels is not a frame size</translation>
    </message>
</context>
<context>
    <name>VQtImageSaver</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>there is no frame to save</source>
        <translation>there is no frame to save</translation>
    </message>
    <message>
        <source>no picture format goes with the suffix &quot;%1&quot;</source>
        <translation>no picture format goes with the suffix &quot;%1&quot;</translation>
    </message>
    <message>
        <source>the picture could not be encoded</source>
        <translation>the picture could not be encoded</translation>
    </message>
    <message>
        <source>the data format chosen does not apply to this frame</source>
        <translation>the data format chosen does not apply to this frame</translation>
    </message>
</context>
<context>
    <name>VQtImageThread</name>
    <message>
        <source>Failed to save image: %1</source>
        <translation>Failed to save image: %1</translation>
    </message>
    <message>
        <source>Failed to load image</source>
        <translation type="vanished">Failed to load image</translation>
    </message>
    <message>
        <source>Saving %1</source>
        <translation>Saving %1</translation>
    </message>
    <message>
        <source>%1 ... %2 (%3 images)</source>
        <translation>%1 ... %2 (%3 images)</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>Cannot open %1: %2</translation>
    </message>
    <message>
        <source>Failed to load image: %1</source>
        <translation>Failed to load image: %1</translation>
    </message>
    <message>
        <source>%1 holds %2 bytes of frame data, %3 bytes fewer than its header describes; the missing part is shown black</source>
        <translation>%1 holds %2 bytes of frame data, %3 bytes fewer than its header describes; the missing part is shown black</translation>
    </message>
</context>
<context>
    <name>VQtLogFile</name>
    <message>
        <source>%1 lines of the log were not written: the disk did not keep up</source>
        <translation>%1 lines of the log were not written: the disk did not keep up</translation>
    </message>
    <message>
        <source>the folder cannot be created</source>
        <translation>the folder cannot be created</translation>
    </message>
    <message>
        <source>the full file cannot be renamed</source>
        <translation>the full file cannot be renamed</translation>
    </message>
    <message>
        <source>The log is not written to %1 (%2); it is kept in the log window only</source>
        <translation>The log is not written to %1 (%2); it is kept in the log window only</translation>
    </message>
</context>
<context>
    <name>VQtLogTextEdit</name>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Select All</translation>
    </message>
</context>
<context>
    <name>VQtMeasureLengthWidget</name>
    <message>
        <source>Measure Length</source>
        <translation>Measure Length</translation>
    </message>
    <message>
        <source>Pixel Length:</source>
        <translation>Pixel Length:</translation>
    </message>
    <message>
        <source>Pixel Start Point:</source>
        <translation>Pixel Start Point:</translation>
    </message>
    <message>
        <source>Pixel Stop Point:</source>
        <translation>Pixel Stop Point:</translation>
    </message>
    <message>
        <source>Horizontal Length:</source>
        <translation>Horizontal Length:</translation>
    </message>
    <message>
        <source>Vertical Length:</source>
        <translation>Vertical Length:</translation>
    </message>
    <message>
        <source>Cartesian Length:</source>
        <translation>Cartesian Length:</translation>
    </message>
</context>
<context>
    <name>VQtMessageWidget</name>
    <message>
        <source>Output Message</source>
        <extracomment>输出信息</extracomment>
        <translation>Output Message</translation>
    </message>
    <message>
        <source>Close</source>
        <extracomment>关闭</extracomment>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>VQtOpenRawFileDialog</name>
    <message>
        <source>Open Raw File</source>
        <translation>Open Raw File</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>BGR</source>
        <translation>BGR</translation>
    </message>
    <message>
        <source>BGRC</source>
        <translation>BGRC</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>RGBC</source>
        <translation>RGBC</translation>
    </message>
    <message>
        <source>8 bit</source>
        <translation>8 bit</translation>
    </message>
    <message>
        <source>10 bit</source>
        <translation>10 bit</translation>
    </message>
    <message>
        <source>12 bit</source>
        <translation>12 bit</translation>
    </message>
    <message>
        <source>14 bit</source>
        <translation>14 bit</translation>
    </message>
    <message>
        <source>16 bit</source>
        <translation>16 bit</translation>
    </message>
    <message>
        <source>Not Packed</source>
        <translation>Not Packed</translation>
    </message>
    <message>
        <source>Packed</source>
        <translation>Packed</translation>
    </message>
    <message>
        <source>Lsb Packed</source>
        <translation>Lsb Packed</translation>
    </message>
    <message>
        <source>Msb Packed</source>
        <translation>Msb Packed</translation>
    </message>
    <message>
        <source>Jpeg Packed</source>
        <translation>Jpeg Packed</translation>
    </message>
    <message>
        <source>Estimate</source>
        <translation>Estimate</translation>
    </message>
    <message>
        <source>Data Start Position:</source>
        <translation>Data Start Position:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>Depth:</source>
        <translation>Depth:</translation>
    </message>
    <message>
        <source>Packed:</source>
        <translation>Packed:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Failed to estimate width and height , Please reconfigure type and depth!</source>
        <translation>Failed to estimate width and height , Please reconfigure type and depth!</translation>
    </message>
    <message>
        <source>The input value does not match the file size!</source>
        <translation>The input value does not match the file size!</translation>
    </message>
</context>
<context>
    <name>VQtOutputModel</name>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
</context>
<context>
    <name>VQtOutputWidget</name>
    <message>
        <source>Main</source>
        <translation>Main</translation>
    </message>
    <message>
        <source>Clear</source>
        <extracomment>清除</extracomment>
        <translation>Clear</translation>
    </message>
</context>
<context>
    <name>VQtPictureControl</name>
    <message>
        <source>Open Image</source>
        <translation>Open Image</translation>
    </message>
    <message>
        <source>Image Files</source>
        <translation>Image Files</translation>
    </message>
    <message>
        <source>No image to save</source>
        <translation>No image to save</translation>
    </message>
    <message>
        <source>Marker(%1,%2)Value(%3)</source>
        <translation>Marker(%1,%2)Value(%3)</translation>
    </message>
    <message>
        <source>Pointer(%1,%2)</source>
        <translation>Pointer(%1,%2)</translation>
    </message>
    <message>
        <source>Pointer(%1,%2)Value(%3)</source>
        <translation>Pointer(%1,%2)Value(%3)</translation>
    </message>
    <message>
        <source>Size:%1x%2 Zoom:%3%</source>
        <translation>Size:%1x%2 Zoom:%3%</translation>
    </message>
</context>
<context>
    <name>VQtPixelViewModel</name>
    <message>
        <source>Column %1</source>
        <translation>Column %1</translation>
    </message>
    <message>
        <source>Row %1</source>
        <translation>Row %1</translation>
    </message>
</context>
<context>
    <name>VQtPixelViewWidget</name>
    <message>
        <source>Pixel Viewer</source>
        <translation>Pixel Viewer</translation>
    </message>
    <message>
        <source>Decimal</source>
        <translation>Decimal</translation>
    </message>
    <message>
        <source>Hexadecimal</source>
        <translation>Hexadecimal</translation>
    </message>
</context>
<context>
    <name>VQtPreProcessThread</name>
    <message>
        <source>Correction-table transfer</source>
        <translation>Correction-table transfer</translation>
    </message>
    <message>
        <source>Refreshing the camera&apos;s features</source>
        <translation>Refreshing the camera&apos;s features</translation>
    </message>
    <message>
        <source>Set LUT Index=%1 failure,Whether or not to continue?</source>
        <translation>Set LUT Index=%1 failure,Whether or not to continue?</translation>
    </message>
    <message>
        <source>Set Flat Field Index=%1 failure,Whether or not to continue?</source>
        <translation>Set Flat Field Index=%1 failure,Whether or not to continue?</translation>
    </message>
    <message>
        <source>LUT Index=%1,get value failure,Whether or not to continue?</source>
        <translation>LUT Index=%1,get value failure,Whether or not to continue?</translation>
    </message>
    <message>
        <source>Flat Field Index=%1,get value failure,Whether or not to continue?</source>
        <translation>Flat Field Index=%1,get value failure,Whether or not to continue?</translation>
    </message>
    <message>
        <source>Set LUT Index=%1 and Value=%2 failure,Whether or not to continue?</source>
        <translation>Set LUT Index=%1 and Value=%2 failure,Whether or not to continue?</translation>
    </message>
    <message>
        <source>Set Flat Field Index=%1 and Flat Field Value=%2 failure,Whether or not to continue?</source>
        <translation>Set Flat Field Index=%1 and Flat Field Value=%2 failure,Whether or not to continue?</translation>
    </message>
    <message>
        <source>Add row=%1 column= %2 failure,Whether or not to continue?</source>
        <translation>Add row=%1 column= %2 failure,Whether or not to continue?</translation>
    </message>
    <message>
        <source>Remove row=%1 column= %2 failure,Whether or not to continue?</source>
        <translation>Remove row=%1 column= %2 failure,Whether or not to continue?</translation>
    </message>
    <message>
        <source>Set Defect Pixel Select=%1 failure,Whether or not to continue?</source>
        <translation>Set Defect Pixel Select=%1 failure,Whether or not to continue?</translation>
    </message>
    <message>
        <source>DefectPixelSelect =%1 , get row or column failure,Whether or not to continue?</source>
        <translation>DefectPixelSelect =%1 , get row or column failure,Whether or not to continue?</translation>
    </message>
</context>
<context>
    <name>VQtPreProcessWidget</name>
    <message>
        <source>Pre-Processing</source>
        <translation>Pre-Processing</translation>
    </message>
    <message>
        <source>Lut</source>
        <translation>Lut</translation>
    </message>
    <message>
        <source>Bad Pixel</source>
        <translation>Bad Pixel</translation>
    </message>
    <message>
        <source>FFC</source>
        <translation>FFC</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Enable</translation>
    </message>
    <message>
        <source>Select Lut:</source>
        <translation>Select Lut:</translation>
    </message>
    <message>
        <source>Gamma:</source>
        <translation>Gamma:</translation>
    </message>
    <message>
        <source>Calc</source>
        <translation>Calc</translation>
    </message>
    <message>
        <source>Column:</source>
        <translation>Column:</translation>
    </message>
    <message>
        <source>Row:</source>
        <translation>Row:</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>Modify</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Defect Pixel Save </source>
        <translation>Defect Pixel Save </translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>Remove All</translation>
    </message>
    <message>
        <source>Import from File</source>
        <translation>Import from File</translation>
    </message>
    <message>
        <source>Export to File</source>
        <translation>Export to File</translation>
    </message>
    <message>
        <source>Read from Camera</source>
        <translation>Read from Camera</translation>
    </message>
    <message>
        <source>Write to Camera</source>
        <translation>Write to Camera</translation>
    </message>
    <message>
        <source>Data Prasing . . .</source>
        <translation>Data Prasing . . .</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Please open the device!</source>
        <translation>Please open the device!</translation>
    </message>
    <message>
        <source>the camera does not tell the size of its table</source>
        <translation>the camera does not tell the size of its table</translation>
    </message>
    <message>
        <source>The camera has not answered the previous transfer yet; nothing was sent.</source>
        <translation>The camera has not answered the previous transfer yet; nothing was sent.</translation>
    </message>
    <message>
        <source>Write data to camera failure!</source>
        <translation>Write data to camera failure!</translation>
    </message>
    <message>
        <source>Read data from camera failure!</source>
        <translation>Read data from camera failure!</translation>
    </message>
    <message>
        <source>Set parameter failure!</source>
        <translation>Set parameter failure!</translation>
    </message>
    <message>
        <source>Get lut maximum value of zero or failure !</source>
        <translation>Get lut maximum value of zero or failure !</translation>
    </message>
    <message>
        <source>Defect pixel save failure.</source>
        <translation>Defect pixel save failure.</translation>
    </message>
    <message>
        <source>Clear all defect pixel failure</source>
        <translation>Clear all defect pixel failure</translation>
    </message>
    <message>
        <source>Read from CSV file failure!</source>
        <translation>Read from CSV file failure!</translation>
    </message>
    <message>
        <source>%1: reading stopped at %2; the %3 entries before it were taken.</source>
        <translation>%1: reading stopped at %2; the %3 entries before it were taken.</translation>
    </message>
    <message>
        <source>Writing to CSV file failure !</source>
        <translation>Writing to CSV file failure !</translation>
    </message>
    <message>
        <source>Open csv file</source>
        <translation>Open csv file</translation>
    </message>
    <message>
        <source>Save csv file</source>
        <translation>Save csv file</translation>
    </message>
</context>
<context>
    <name>VQtPreferenceDlg</name>
    <message>
        <source>Preference</source>
        <translation>Preference</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Camera</translation>
    </message>
    <message>
        <source>Polling Time</source>
        <translation>Polling Time</translation>
    </message>
    <message>
        <source>Feature ToolTip</source>
        <translation>Feature ToolTip</translation>
    </message>
    <message>
        <source>User Level:</source>
        <translation>User Level:</translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation>Beginner</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Expert</translation>
    </message>
    <message>
        <source>Guru</source>
        <translation>Guru</translation>
    </message>
    <message>
        <source>Measure Unit:</source>
        <translation>Measure Unit:</translation>
    </message>
    <message>
        <source>um</source>
        <translation>um</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>cm</source>
        <translation>cm</translation>
    </message>
    <message>
        <source>Extract Frame</source>
        <translation>Extract Frame</translation>
    </message>
    <message>
        <source>Interval Time(ms):</source>
        <translation>Interval Time(ms):</translation>
    </message>
    <message>
        <source>Bayer Interpolation:</source>
        <translation>Bayer Interpolation:</translation>
    </message>
    <message>
        <source>Linear</source>
        <translation>Linear</translation>
    </message>
    <message>
        <source>Bicubic</source>
        <translation>Bicubic</translation>
    </message>
    <message>
        <source>Dfpd</source>
        <translation>Dfpd</translation>
    </message>
    <message>
        <source>CUDA</source>
        <translation>CUDA</translation>
    </message>
    <message>
        <source>Resize Interpolation:</source>
        <translation>Resize Interpolation:</translation>
    </message>
    <message>
        <source>NN</source>
        <translation>NN</translation>
    </message>
    <message>
        <source>Cubiz</source>
        <translation>Cubiz</translation>
    </message>
    <message>
        <source>Area</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>Line Profile</source>
        <translation>Line Profile</translation>
    </message>
    <message>
        <source>Coordinate</source>
        <translation>Coordinate</translation>
    </message>
    <message>
        <source>Shape:</source>
        <translation>Shape:</translation>
    </message>
    <message>
        <source>Bar</source>
        <translation>Bar</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Tif File</source>
        <translation>Tif File</translation>
    </message>
    <message>
        <source>When saving tif file,whether to perform LZW compression?</source>
        <translation>When saving tif file,whether to perform LZW compression?</translation>
    </message>
    <message>
        <source>Dpi X:</source>
        <translation>Dpi X:</translation>
    </message>
    <message>
        <source>Dpi Y:</source>
        <translation>Dpi Y:</translation>
    </message>
    <message>
        <source>Jpeg Image</source>
        <translation>Jpeg Image</translation>
    </message>
    <message>
        <source>Compress Quality:</source>
        <translation>Compress Quality:</translation>
    </message>
    <message>
        <source>Video X264</source>
        <translation>Video X264</translation>
    </message>
    <message>
        <source>Frame Rate:</source>
        <translation>Frame Rate:</translation>
    </message>
    <message>
        <source>Show Uncompleted Frame</source>
        <translation>Show Uncompleted Frame</translation>
    </message>
    <message>
        <source>RGB Channel Conversion</source>
        <translation>RGB Channel Conversion</translation>
    </message>
    <message>
        <source>Buffer Count:</source>
        <translation>Buffer Count:</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Stop Stream When Crc Error Happen</source>
        <translation>Stop Stream When Crc Error Happen</translation>
    </message>
    <message>
        <source>CoaXPress12 Support</source>
        <translation>CoaXPress12 Support</translation>
    </message>
    <message>
        <source>CoaXPress Communication Tag Support</source>
        <translation>CoaXPress Communication Tag Support</translation>
    </message>
    <message>
        <source>CoaXPress Control Packet Max Size:</source>
        <translation>CoaXPress Control Packet Max Size:</translation>
    </message>
    <message>
        <source>CoaXPress Stream Packet Max Size:</source>
        <translation>CoaXPress Stream Packet Max Size:</translation>
    </message>
    <message>
        <source>CoaXPress RW Register Max Time:</source>
        <translation>CoaXPress RW Register Max Time:</translation>
    </message>
    <message>
        <source>Timeout(ms):</source>
        <translation>Timeout(ms):</translation>
    </message>
    <message>
        <source>Infinite</source>
        <translation>Infinite</translation>
    </message>
    <message>
        <source>CL Heartbeat Timeout(ms):</source>
        <translation>CL Heartbeat Timeout(ms):</translation>
    </message>
    <message>
        <source>GigEvision Heartbeat Timeout(ms):</source>
        <translation>GigEvision Heartbeat Timeout(ms):</translation>
    </message>
    <message>
        <source>Stream Parameter</source>
        <translation>Stream Parameter</translation>
    </message>
    <message>
        <source>Self Adaption</source>
        <translation>Self Adaption</translation>
    </message>
    <message>
        <source>Packet Max Resend Count:</source>
        <translation>Packet Max Resend Count:</translation>
    </message>
    <message>
        <source>Packet Resend Timeout(ms):</source>
        <translation>Packet Resend Timeout(ms):</translation>
    </message>
    <message>
        <source>Packet Inter Timeout(ms):</source>
        <translation>Packet Inter Timeout(ms):</translation>
    </message>
    <message>
        <source>Block Max Resend Packet Count:</source>
        <translation>Block Max Resend Packet Count:</translation>
    </message>
    <message>
        <source>Block Max Wait Packet Count:</source>
        <translation>Block Max Wait Packet Count:</translation>
    </message>
    <message>
        <source>Block Resend Window Size:</source>
        <translation>Block Resend Window Size:</translation>
    </message>
    <message>
        <source>Burr Detection Image Save Rate:</source>
        <translation>Burr Detection Image Save Rate:</translation>
    </message>
    <message>
        <source>Burr Detection Image Save Path:</source>
        <translation>Burr Detection Image Save Path:</translation>
    </message>
    <message>
        <source>Burr Detection Image Save Count:</source>
        <translation>Burr Detection Image Save Count:</translation>
    </message>
    <message>
        <source>Camera Debug Options</source>
        <translation>Camera Debug Options</translation>
    </message>
    <message>
        <source>Using Local Xml</source>
        <translation>Using Local Xml</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>File Name:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>Open Directory</translation>
    </message>
    <message>
        <source>Xml File</source>
        <translation>Xml File</translation>
    </message>
    <message>
        <source>xml(*.xml);;zip(*.zip)</source>
        <translation>xml(*.xml);;zip(*.zip)</translation>
    </message>
    <message>
        <source>Device Backends</source>
        <translation>Device Backends</translation>
    </message>
    <message>
        <source>Simulated devices</source>
        <translation>Simulated devices</translation>
    </message>
    <message>
        <source>GigE Vision and USB3 Vision cameras (Aravis)</source>
        <translation>GigE Vision and USB3 Vision cameras (Aravis)</translation>
    </message>
</context>
<context>
    <name>VQtPreviewDlg</name>
    <message>
        <source>Tap Arrangement</source>
        <translation>Tap Arrangement</translation>
    </message>
    <message>
        <source>Integration Trigger Method</source>
        <translation>Integration Trigger Method</translation>
    </message>
    <message>
        <source>Strobe Trigger Method</source>
        <translation>Strobe Trigger Method</translation>
    </message>
    <message>
        <source>Software Trigger Polarity</source>
        <translation>Software Trigger Polarity</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no tap geometry this preview knows.</source>
        <translation>&quot;%1&quot; is no tap geometry this preview knows.</translation>
    </message>
    <message>
        <source>%1 taps: %2 region(s) across, each read by %3 adjacent tap(s), and %4 region(s) down. The arrows show where each region&apos;s readout starts and which way it runs.</source>
        <translation>%1 taps: %2 region(s) across, each read by %3 adjacent tap(s), and %4 region(s) down. The arrows show where each region&apos;s readout starts and which way it runs.</translation>
    </message>
    <message>
        <source>Both signals start from the trigger: signal 1 after Delay1 for Width1, signal 2 after Delay2 for Width2.</source>
        <translation>Both signals start from the trigger: signal 1 after Delay1 for Width1, signal 2 after Delay2 for Width2.</translation>
    </message>
    <message>
        <source>Integration signal 1 starts Delay1 after the trigger and lasts as long as the trigger input stays active.</source>
        <translation>Integration signal 1 starts Delay1 after the trigger and lasts as long as the trigger input stays active.</translation>
    </message>
    <message>
        <source>Signal 1 starts Delay1 after the trigger and lasts Width1; signal 2 starts Delay2 after signal 1 ends and lasts Width2.</source>
        <translation>Signal 1 starts Delay1 after the trigger and lasts Width1; signal 2 starts Delay2 after signal 1 ends and lasts Width2.</translation>
    </message>
    <message>
        <source>Integration signal 1 starts Delay1 after the trigger and lasts Width1.</source>
        <translation>Integration signal 1 starts Delay1 after the trigger and lasts Width1.</translation>
    </message>
    <message>
        <source>The strobe starts Delay after the trigger and lasts Width.</source>
        <translation>The strobe starts Delay after the trigger and lasts Width.</translation>
    </message>
    <message>
        <source>The strobe starts Delay after the integration begins and lasts Width.</source>
        <translation>The strobe starts Delay after the integration begins and lasts Width.</translation>
    </message>
    <message>
        <source>The strobe starts Delay after the integration ends and lasts Width.</source>
        <translation>The strobe starts Delay after the integration ends and lasts Width.</translation>
    </message>
    <message>
        <source>Count pulses of Width, one every Period, the first Delay after the command; the active level is the selected polarity.</source>
        <translation>Count pulses of Width, one every Period, the first Delay after the command; the active level is the selected polarity.</translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation>Trigger</translation>
    </message>
    <message>
        <source>Delay1</source>
        <translation>Delay1</translation>
    </message>
    <message>
        <source>Width1</source>
        <translation>Width1</translation>
    </message>
    <message>
        <source>Integration 1</source>
        <translation>Integration 1</translation>
    </message>
    <message>
        <source>Integration 2</source>
        <translation>Integration 2</translation>
    </message>
    <message>
        <source>Delay2</source>
        <translation>Delay2</translation>
    </message>
    <message>
        <source>Width2</source>
        <translation>Width2</translation>
    </message>
    <message>
        <source>Integration</source>
        <translation>Integration</translation>
    </message>
    <message>
        <source>Strobe</source>
        <translation>Strobe</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Delay</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Trigger (x%1)</source>
        <translation>Trigger (x%1)</translation>
    </message>
    <message>
        <source>Tap %1</source>
        <translation>Tap %1</translation>
    </message>
    <message>
        <source>Taps %1-%2</source>
        <translation>Taps %1-%2</translation>
    </message>
</context>
<context>
    <name>VQtRemoteRegisterDlg</name>
    <message>
        <source>Command</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Address(0x):</source>
        <translation>Address(0x):</translation>
    </message>
    <message>
        <source>Value:</source>
        <translation>Value:</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Please open the device !</source>
        <translation>Please open the device !</translation>
    </message>
    <message>
        <source>The read address is null !</source>
        <translation>The read address is null !</translation>
    </message>
    <message>
        <source>Read Address:%1</source>
        <translation>Read Address:%1</translation>
    </message>
    <message>
        <source>The write address or value is null !</source>
        <translation>The write address or value is null !</translation>
    </message>
    <message>
        <source>Value %1 does not fit in 32 bits; nothing was sent.</source>
        <translation>Value %1 does not fit in 32 bits; nothing was sent.</translation>
    </message>
    <message>
        <source>Write Address:%1 , Value:%2</source>
        <translation>Write Address:%1 , Value:%2</translation>
    </message>
    <message>
        <source>The camera has not answered the previous operation yet; nothing was sent.</source>
        <translation>The camera has not answered the previous operation yet; nothing was sent.</translation>
    </message>
    <message>
        <source>Error Code:%1</source>
        <translation>Error Code:%1</translation>
    </message>
    <message>
        <source>Read Value:%1</source>
        <translation>Read Value:%1</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Success</translation>
    </message>
</context>
<context>
    <name>VQtRemoteRegisterThread</name>
    <message>
        <source>Camera register access</source>
        <translation>Camera register access</translation>
    </message>
</context>
<context>
    <name>VQtRoiHistogramWidget</name>
    <message>
        <source>ROI Analytics</source>
        <translation>ROI Analytics</translation>
    </message>
    <message>
        <source>ROI</source>
        <translation>ROI</translation>
    </message>
    <message>
        <source>X Start:</source>
        <translation>X Start:</translation>
    </message>
    <message>
        <source>Y Start:</source>
        <translation>Y Start:</translation>
    </message>
    <message>
        <source>X Stop:</source>
        <translation>X Stop:</translation>
    </message>
    <message>
        <source>Y Stop:</source>
        <translation>Y Stop:</translation>
    </message>
    <message>
        <source>Area:</source>
        <translation>Area:</translation>
    </message>
    <message>
        <source>Pixel Count:</source>
        <translation>Pixel Count:</translation>
    </message>
    <message>
        <source>Physical Area:</source>
        <translation>Physical Area:</translation>
    </message>
    <message>
        <source>Statistics:</source>
        <translation>Statistics:</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Whole Area</source>
        <translation>Whole Area</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>Max/Min:</source>
        <translation>Max/Min:</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Set value is out of roi range!</source>
        <translation>Set value is out of roi range!</translation>
    </message>
    <message>
        <source>Please check if the settings are correct !</source>
        <translation>Please check if the settings are correct !</translation>
    </message>
    <message>
        <source>Setting out of range, please reset !</source>
        <translation>Setting out of range, please reset !</translation>
    </message>
</context>
<context>
    <name>VQtSafeFile</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>no file name</source>
        <translation>no file name</translation>
    </message>
    <message>
        <source>it is a symbolic link, which this file must not be</source>
        <translation>it is a symbolic link, which this file must not be</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>the file is not open</source>
        <translation>the file is not open</translation>
    </message>
    <message>
        <source>no data</source>
        <translation>no data</translation>
    </message>
    <message>
        <source>Cannot set the permissions of %1: %2</source>
        <translation>Cannot set the permissions of %1: %2</translation>
    </message>
    <message>
        <source>it is a symbolic link</source>
        <translation>it is a symbolic link</translation>
    </message>
</context>
<context>
    <name>VQtSaveConversionWidget</name>
    <message>
        <source>Data Format:</source>
        <translation>Data Format:</translation>
    </message>
    <message>
        <source>Pixel Depth:</source>
        <translation>Pixel Depth:</translation>
    </message>
    <message>
        <source>Bit Range:</source>
        <translation>Bit Range:</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Gray</translation>
    </message>
    <message>
        <source>Channel %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation>Channel 3</translation>
    </message>
    <message>
        <source>RGBC</source>
        <translation>RGBC</translation>
    </message>
    <message>
        <source>8 bits</source>
        <translation>8 bits</translation>
    </message>
    <message>
        <source>16 bits</source>
        <translation>16 bits</translation>
    </message>
    <message>
        <source>Stretch to 16 bit</source>
        <translation>Stretch to 16 bit</translation>
    </message>
    <message>
        <source>Bit %1 - %2</source>
        <translation>Bit %1 - %2</translation>
    </message>
</context>
<context>
    <name>VQtSaveImageDialog</name>
    <message>
        <source>Save Image</source>
        <translation>Save Image</translation>
    </message>
</context>
<context>
    <name>VQtSaveSequenceDialog</name>
    <message>
        <source>Save Image Sequence</source>
        <translation>Save Image Sequence</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>Save Path:</source>
        <translation>Save Path:</translation>
    </message>
    <message>
        <source>Prefix:</source>
        <translation>Prefix:</translation>
    </message>
    <message>
        <source>Begin Number:</source>
        <translation>Begin Number:</translation>
    </message>
    <message>
        <source>Image Count:</source>
        <translation>Image Count:</translation>
    </message>
    <message>
        <source>Image Type:</source>
        <translation>Image Type:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Save Path</source>
        <translation>Save Path</translation>
    </message>
    <message>
        <source>Waring</source>
        <translation>Waring</translation>
    </message>
    <message>
        <source>The current path does not exist, please select it again?</source>
        <translation>The current path does not exist, please select it again?</translation>
    </message>
</context>
<context>
    <name>VQtSendTablesDlg</name>
    <message>
        <source>Send Tables</source>
        <translation>Send Tables</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Please open the device!</source>
        <translation>Please open the device!</translation>
    </message>
    <message>
        <source>The camera has not answered the previous transfer yet; nothing was sent.</source>
        <translation>The camera has not answered the previous transfer yet; nothing was sent.</translation>
    </message>
    <message>
        <source>Send Tables is in progress, Exit?</source>
        <translation>Send Tables is in progress, Exit?</translation>
    </message>
</context>
<context>
    <name>VQtSendTablesThread</name>
    <message>
        <source>Sending the coding tables</source>
        <translation>Sending the coding tables</translation>
    </message>
    <message>
        <source>File %1.csv does not exist</source>
        <translation>File %1.csv does not exist</translation>
    </message>
    <message>
        <source>%1.csv，Error code:0xF002</source>
        <translation>%1.csv，Error code:0xF002</translation>
    </message>
    <message>
        <source>Write address : 0XA870，value %1 error</source>
        <translation>Write address : 0XA870，value %1 error</translation>
    </message>
    <message>
        <source>Write address : 0XA874，value %1 error</source>
        <translation>Write address : 0XA874，value %1 error</translation>
    </message>
    <message>
        <source>Read address : 0XA874 error</source>
        <translation>Read address : 0XA874 error</translation>
    </message>
    <message>
        <source>%1.csv line %2: 0x%3 was written, 0x%4 read back</source>
        <translation>%1.csv line %2: 0x%3 was written, 0x%4 read back</translation>
    </message>
    <message>
        <source>Write address : 0XA878，value %1 error</source>
        <translation>Write address : 0XA878，value %1 error</translation>
    </message>
    <message>
        <source>Write tables ok</source>
        <translation>Write tables ok</translation>
    </message>
</context>
<context>
    <name>VQtSerialControlWidget</name>
    <message>
        <source>Serial Control</source>
        <translation>Serial Control</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>The serial port has not answered the last read yet.</source>
        <translation>The serial port has not answered the last read yet.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Please open the device!</source>
        <translation>Please open the device!</translation>
    </message>
</context>
<context>
    <name>VQtSerialThread</name>
    <message>
        <source>Reading the serial port</source>
        <translation>Reading the serial port</translation>
    </message>
</context>
<context>
    <name>VQtSignalCheck</name>
    <message>
        <source>Host link</source>
        <translation>Host link</translation>
    </message>
    <message>
        <source>Pixel clock</source>
        <translation>Pixel clock</translation>
    </message>
    <message>
        <source>%1 MHz</source>
        <translation>%1 MHz</translation>
    </message>
    <message>
        <source>Camera power</source>
        <translation>Camera power</translation>
    </message>
    <message>
        <source>Voltage supply</source>
        <translation>Voltage supply</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>%1 (%2 fps)</source>
        <translation>%1 (%2 fps)</translation>
    </message>
    <message>
        <source>not grabbing</source>
        <translation>not grabbing</translation>
    </message>
    <message>
        <source>Line rate</source>
        <translation>Line rate</translation>
    </message>
    <message>
        <source>%1 lines/s</source>
        <translation>%1 lines/s</translation>
    </message>
    <message>
        <source>Lost frames</source>
        <translation>Lost frames</translation>
    </message>
    <message>
        <source>Incomplete frames</source>
        <translation>Incomplete frames</translation>
    </message>
    <message>
        <source>Time-outs</source>
        <translation>Time-outs</translation>
    </message>
    <message>
        <source>Ignored triggers</source>
        <translation>Ignored triggers</translation>
    </message>
    <message>
        <source>Over-current events</source>
        <translation>Over-current events</translation>
    </message>
    <message>
        <source>CRC errors</source>
        <translation>CRC errors</translation>
    </message>
    <message>
        <source>Transfer errors</source>
        <translation>Transfer errors</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>No signal</source>
        <translation>No signal</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>Waiting</translation>
    </message>
</context>
<context>
    <name>VQtSignalCheckDlg</name>
    <message>
        <source>Check Signal</source>
        <translation>Check Signal</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>Signal</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>State</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Stopped</translation>
    </message>
    <message>
        <source>Press Start to check the board&apos;s signals.</source>
        <translation>Press Start to check the board&apos;s signals.</translation>
    </message>
    <message>
        <source>No board is open.</source>
        <translation>No board is open.</translation>
    </message>
    <message>
        <source>Checking for %1 s</source>
        <translation>Checking for %1 s</translation>
    </message>
</context>
<context>
    <name>VQtSystemParam</name>
    <message>
        <source>Settings: &quot;%1&quot; = &quot;%2&quot; is not a whole number; the default %3 is used.</source>
        <translation>Settings: &quot;%1&quot; = &quot;%2&quot; is not a whole number; the default %3 is used.</translation>
    </message>
    <message>
        <source>Settings: &quot;%1&quot; = %2 is outside %3 to %4; the default %5 is used.</source>
        <translation>Settings: &quot;%1&quot; = %2 is outside %3 to %4; the default %5 is used.</translation>
    </message>
    <message>
        <source>Settings: &quot;%1&quot; = &quot;%2&quot; is neither true nor false; the default %3 is used.</source>
        <translation>Settings: &quot;%1&quot; = &quot;%2&quot; is neither true nor false; the default %3 is used.</translation>
    </message>
    <message>
        <source>The settings file %1 is a folder: the defaults are used and changes to the settings will not be kept.</source>
        <translation>The settings file %1 is a folder: the defaults are used and changes to the settings will not be kept.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read: the defaults are used.</source>
        <translation>The settings file %1 cannot be read: the defaults are used.</translation>
    </message>
    <message>
        <source>The settings file %1 is not a valid settings file: the values that could be read are used.</source>
        <translation>The settings file %1 is not a valid settings file: the values that could be read are used.</translation>
    </message>
    <message>
        <source>The settings file %1 holds a value that cannot be decoded: the defaults are used.</source>
        <translation>The settings file %1 holds a value that cannot be decoded: the defaults are used.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be written (%2): changes to the settings will not be kept.</source>
        <translation>The settings file %1 cannot be written (%2): changes to the settings will not be kept.</translation>
    </message>
    <message>
        <source>its folder is read-only</source>
        <translation>its folder is read-only</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>the file is read-only</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>the settings could not be prepared in the temporary folder</source>
        <translation>the settings could not be prepared in the temporary folder</translation>
    </message>
</context>
<context>
    <name>VQtTableCheck</name>
    <message>
        <source>line %1</source>
        <translation>line %1</translation>
    </message>
    <message>
        <source>entry %1</source>
        <translation>entry %1</translation>
    </message>
    <message>
        <source>%1 defect pixels, the camera&apos;s list holds %2</source>
        <translation>%1 defect pixels, the camera&apos;s list holds %2</translation>
    </message>
    <message>
        <source>%1: column %2 is outside %3 ~ %4</source>
        <translation>%1: column %2 is outside %3 ~ %4</translation>
    </message>
    <message>
        <source>%1: row %2 is outside %3 ~ %4</source>
        <translation>%1: row %2 is outside %3 ~ %4</translation>
    </message>
    <message>
        <source>%1 entries, the camera&apos;s table has %2</source>
        <translation>%1 entries, the camera&apos;s table has %2</translation>
    </message>
    <message>
        <source>%1: index %2 is outside 0 ~ %3</source>
        <translation>%1: index %2 is outside 0 ~ %3</translation>
    </message>
    <message>
        <source>%1: index %2 appears a second time</source>
        <translation>%1: index %2 appears a second time</translation>
    </message>
    <message>
        <source>%1: value %2 is outside %3 ~ %4</source>
        <translation>%1: value %2 is outside %3 ~ %4</translation>
    </message>
</context>
<context>
    <name>VQtTableViewModel</name>
    <message>
        <source>Success</source>
        <translation>Success</translation>
    </message>
    <message>
        <source>Failure</source>
        <translation>Failure</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Data</translation>
    </message>
</context>
<context>
    <name>VQtThreadGuard</name>
    <message>
        <source>unknown error</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>%1 failed: %2</source>
        <translation>%1 failed: %2</translation>
    </message>
</context>
<context>
    <name>VQtTreeWidget</name>
    <message>
        <source>Feature</source>
        <translation>Feature</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Execute</source>
        <extracomment>执行</extracomment>
        <translation>Execute</translation>
    </message>
</context>
<context>
    <name>VQtVideoFrameConverter</name>
    <message>
        <source>frames of %1 x %2 pixels cannot be recorded</source>
        <translation>frames of %1 x %2 pixels cannot be recorded</translation>
    </message>
    <message>
        <source>frames of %1-bit samples with %2 channels cannot be recorded</source>
        <translation>frames of %1-bit samples with %2 channels cannot be recorded</translation>
    </message>
    <message>
        <source>the recording was not set up</source>
        <translation>the recording was not set up</translation>
    </message>
    <message>
        <source>no memory to convert the frame</source>
        <translation>no memory to convert the frame</translation>
    </message>
</context>
<context>
    <name>VQtVideoX264</name>
    <message>
        <source>Failed to create video file %1: a recording is running</source>
        <translation>Failed to create video file %1: a recording is running</translation>
    </message>
    <message>
        <source>No frame could be written to %1; the recording stops</source>
        <translation>No frame could be written to %1; the recording stops</translation>
    </message>
    <message>
        <source>Failed to create video file %1: %2</source>
        <translation>Failed to create video file %1: %2</translation>
    </message>
    <message>
        <source>a recording is running</source>
        <translation>a recording is running</translation>
    </message>
    <message>
        <source>the disk holding it has only %1 KiB free</source>
        <translation>the disk holding it has only %1 KiB free</translation>
    </message>
    <message>
        <source>Failed to create video file: %1</source>
        <translation>Failed to create video file: %1</translation>
    </message>
    <message>
        <source>Recording %1 at %2 frames per second</source>
        <translation>Recording %1 at %2 frames per second</translation>
    </message>
    <message>
        <source>Frames arrive faster than %1 per second: the frames in between are left out of %2</source>
        <translation>Frames arrive faster than %1 per second: the frames in between are left out of %2</translation>
    </message>
    <message>
        <source>The encoder is falling behind: %1 frames wait to be recorded into %2</source>
        <translation>The encoder is falling behind: %1 frames wait to be recorded into %2</translation>
    </message>
    <message>
        <source>A frame could not be recorded into %1: %2</source>
        <translation>A frame could not be recorded into %1: %2</translation>
    </message>
    <message>
        <source>Failed to encode a frame of %1: %2</source>
        <translation>Failed to encode a frame of %1: %2</translation>
    </message>
    <message>
        <source>%1 holds %2 MiB, close to the largest file this disk or this program may write</source>
        <translation>%1 holds %2 MiB, close to the largest file this disk or this program may write</translation>
    </message>
    <message>
        <source>No frame was recorded into %1, so the file was not made</source>
        <translation>No frame was recorded into %1, so the file was not made</translation>
    </message>
    <message>
        <source>%1 holds %2 frames</source>
        <translation>%1 holds %2 frames</translation>
    </message>
    <message>
        <source>%1 frames were left out to keep %2 frames per second</source>
        <translation>%1 frames were left out to keep %2 frames per second</translation>
    </message>
    <message>
        <source>%1 frames could not be converted and are missing from %2</source>
        <translation>%1 frames could not be converted and are missing from %2</translation>
    </message>
</context>
<context>
    <name>VQtX264Encoder</name>
    <message>
        <source>a picture of %1 x %2 pixels cannot be encoded</source>
        <translation>a picture of %1 x %2 pixels cannot be encoded</translation>
    </message>
    <message>
        <source>the encoder does not know the preset %1</source>
        <translation>the encoder does not know the preset %1</translation>
    </message>
    <message>
        <source>the encoder refused a picture of %1 x %2 pixels</source>
        <translation>the encoder refused a picture of %1 x %2 pixels</translation>
    </message>
    <message>
        <source>the encoder refused: %1</source>
        <translation>the encoder refused: %1</translation>
    </message>
    <message>
        <source>the encoder failed on frame %1</source>
        <translation>the encoder failed on frame %1</translation>
    </message>
    <message>
        <source>the encoder failed on frame %1: %2</source>
        <translation>the encoder failed on frame %1: %2</translation>
    </message>
    <message>
        <source>the encoder is not open</source>
        <translation>the encoder is not open</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Font load failed, program exits!</source>
        <translation>Font load failed, program exits!</translation>
    </message>
</context>
</TS>
