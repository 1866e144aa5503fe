<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>MainWindow</name>
    <message>
        <source>File(F)</source>
        <translation>文件(F)</translation>
    </message>
    <message>
        <source>Camera(C)</source>
        <translation>相机(C)</translation>
    </message>
    <message>
        <source>View(V)</source>
        <translation>视图(V)</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>缩放</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>调试</translation>
    </message>
    <message>
        <source>Tools(T)</source>
        <translation>工具(T)</translation>
    </message>
    <message>
        <source>Help(H)</source>
        <translation>帮助(H)</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Tool Bar</source>
        <translation>工具栏</translation>
    </message>
    <message>
        <source>Open Image</source>
        <translation>打开图像</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>保存图像</translation>
    </message>
    <message>
        <source>Save Image Sequence</source>
        <translation>保存图像序列</translation>
    </message>
    <message>
        <source>Open Board Configuration File</source>
        <translation>打开采集卡配置文件</translation>
    </message>
    <message>
        <source>Save Board Configuration File</source>
        <translation>保存采集卡配置文件</translation>
    </message>
    <message>
        <source>Open Camera Configuration File</source>
        <translation>打开相机配置文件</translation>
    </message>
    <message>
        <source>Save Camera Configuration File</source>
        <translation>保存相机配置文件</translation>
    </message>
    <message>
        <source>Save Camera Xml File</source>
        <translation>保存相机Xml文件</translation>
    </message>
    <message>
        <source>Start Video X264</source>
        <translation>开始X264录像</translation>
    </message>
    <message>
        <source>Stop Video X264</source>
        <translation>停止X264录像</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Probe</source>
        <translation>搜索设备</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Grab(1 Shot)</source>
        <translation>采集(单帧)</translation>
    </message>
    <message>
        <source>Grab(Continuous)</source>
        <translation>采集(连续)</translation>
    </message>
    <message>
        <source>Grab(Stop)</source>
        <translation>采集(停止)</translation>
    </message>
    <message>
        <source>Software Trigger</source>
        <translation>软触发</translation>
    </message>
    <message>
        <source>Cabliration</source>
        <translation>校准</translation>
    </message>
    <message>
        <source>Marker</source>
        <translation>标记</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>缩小</translation>
    </message>
    <message>
        <source>Zoom Fit</source>
        <translation>适应窗口</translation>
    </message>
    <message>
        <source>Device Feature</source>
        <translation>设备属性</translation>
    </message>
    <message>
        <source>Output Message</source>
        <translation>输出信息</translation>
    </message>
    <message>
        <source>Horizontal Profile Line</source>
        <translation>水平剖面线</translation>
    </message>
    <message>
        <source>Vertical Profile Line</source>
        <translation>垂直剖面线</translation>
    </message>
    <message>
        <source>Pixel Viewer</source>
        <translation>像素查看器</translation>
    </message>
    <message>
        <source>Image Analytics</source>
        <translation>图像分析</translation>
    </message>
    <message>
        <source>ROI Analytics</source>
        <translation>ROI分析</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>测量</translation>
    </message>
    <message>
        <source>Bad Pixel</source>
        <translation>坏点</translation>
    </message>
    <message>
        <source>Pixel Capture</source>
        <translation>像素采集</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>命令</translation>
    </message>
    <message>
        <source>Board Command</source>
        <translation>采集卡命令</translation>
    </message>
    <message>
        <source>Advanced Analytics</source>
        <translation>高级分析</translation>
    </message>
    <message>
        <source>Serial Control</source>
        <translation>串口控制</translation>
    </message>
    <message>
        <source>Send Tables</source>
        <translation>发送表</translation>
    </message>
    <message>
        <source>Line Detection</source>
        <translation>线检测</translation>
    </message>
    <message>
        <source>Preference</source>
        <translation>首选项</translation>
    </message>
    <message>
        <source>Image Process</source>
        <translation>图像处理</translation>
    </message>
    <message>
        <source>Check Signal</source>
        <translation>信号检测</translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation>固件升级</translation>
    </message>
    <message>
        <source>Pre-Processing</source>
        <translation>预处理</translation>
    </message>
    <message>
        <source>FileIO</source>
        <translation>文件读写</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <source>Document</source>
        <translation>文档</translation>
    </message>
    <message>
        <source>Show Log</source>
        <translation>查看日志</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Common Function</source>
        <translation>常用功能</translation>
    </message>
    <message>
        <source>View</source>
        <translation>视图</translation>
    </message>
    <message>
        <source>Frame Rate:0 fps</source>
        <translation>帧率:0 fps</translation>
    </message>
    <message>
        <source>Line Rate:0 lps</source>
        <translation>行频:0 lps</translation>
    </message>
    <message>
        <source>Refresh Rate:0 fps</source>
        <translation>刷新帧率:0 fps</translation>
    </message>
    <message>
        <source>Pixel Clock:0 MHz</source>
        <translation>像素时钟:0 MHz</translation>
    </message>
    <message>
        <source>CC1 Count:0</source>
        <translation>CC1个数:0</translation>
    </message>
    <message>
        <source>Frame Count:0</source>
        <translation>总帧数:0</translation>
    </message>
    <message>
        <source>Resend Packet:0</source>
        <translation>重传包:0</translation>
    </message>
    <message>
        <source>Lost Packet:0</source>
        <translation>丢包:0</translation>
    </message>
    <message>
        <source>Resend Timeout:0</source>
        <translation>重传时间:0</translation>
    </message>
    <message>
        <source>Marker(0,0)Value(0,0,0)</source>
        <translation>坐标(0,0)值(0,0,0)</translation>
    </message>
    <message>
        <source>PCIe State:5.0GT/s x4</source>
        <translation>PCIe状态:5.0GT/s x4</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Pixel Clock</source>
        <extracomment>像素时钟</extracomment>
        <translation>像素时钟</translation>
    </message>
    <message>
        <source>Line Valid</source>
        <extracomment>行有效</extracomment>
        <translation>行有效</translation>
    </message>
    <message>
        <source>Frame Valid</source>
        <extracomment>帧有效</extracomment>
        <translation>帧有效</translation>
    </message>
    <message>
        <source>Failed to set the camera library parameter 0x%1 (status 0x%2)</source>
        <translation>设置相机库参数 0x%1 失败(状态 0x%2)</translation>
    </message>
    <message>
        <source>Frame Rate:%1</source>
        <extracomment>帧率:%1</extracomment>
        <translation>帧率:%1</translation>
    </message>
    <message>
        <source>Line Rate:%1</source>
        <extracomment>行频:%1</extracomment>
        <translation>行频:%1</translation>
    </message>
    <message>
        <source>Refresh Rate:%1</source>
        <extracomment>刷新帧率:%1</extracomment>
        <translation>刷新帧率:%1</translation>
    </message>
    <message>
        <source>Frame Count:%1</source>
        <extracomment>总帧数:%1</extracomment>
        <translation>总帧数:%1</translation>
    </message>
    <message>
        <source>CC1 Count:%1</source>
        <extracomment>CC1个数:%1</extracomment>
        <translation>CC1个数:%1</translation>
    </message>
    <message>
        <source>Resend Packet:%1</source>
        <extracomment>重传包:%1</extracomment>
        <translation>重传包:%1</translation>
    </message>
    <message>
        <source>Lost Packet:%1</source>
        <extracomment>丢包:%1</extracomment>
        <translation>丢包:%1</translation>
    </message>
    <message>
        <source>Resend Timeout:%1</source>
        <extracomment>重传时间:%1</extracomment>
        <translation>重传时间:%1</translation>
    </message>
    <message>
        <source>Image saved successfully</source>
        <translation>图像保存成功</translation>
    </message>
    <message>
        <source>Video saved successfully</source>
        <translation>视频保存成功</translation>
    </message>
    <message>
        <source>Out of memory, waiting for the image to save ...</source>
        <translation>内存不足，正在等待图像保存……</translation>
    </message>
    <message>
        <source>Save video file is too large, Exit save</source>
        <translation>保存的视频文件过大，退出保存</translation>
    </message>
    <message>
        <source>The saved video file is too large and automatically saved as a new file</source>
        <translation>保存的视频文件过大，已自动另存为新文件</translation>
    </message>
    <message>
        <source>Failed to write video data, Exit saving</source>
        <translation>写入视频数据失败，退出保存</translation>
    </message>
    <message>
        <source>Failed to write video data and automatically saved as a new file</source>
        <translation>写入视频数据失败，已自动另存为新文件</translation>
    </message>
    <message>
        <source>Failed to load image</source>
        <translation type="vanished">加载图像失败</translation>
    </message>
    <message>
        <source>The loading image failed, please reload the program in case of unknown error</source>
        <translation>加载图像失败，为避免未知错误，请重新启动程序</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Please open the device!</source>
        <translation>请先打开设备！</translation>
    </message>
    <message>
        <source>Waring</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The path does not exist, make sure the software is installed correctly?</source>
        <translation>路径不存在，请确认软件是否已正确安装？</translation>
    </message>
    <message>
        <source>%1
Viewer and service tool for machine-vision cameras and frame grabbers.
Qt %2</source>
        <translation>%1
机器视觉相机与图像采集卡的查看和维护工具。
Qt %2</translation>
    </message>
    <message>
        <source>The program is doing something else, Please try again later!</source>
        <translation>程序正在执行其他操作，请稍后再试！</translation>
    </message>
    <message>
        <source>Pixel Clock:%1 MHz</source>
        <extracomment>像素时钟:%1 MHz</extracomment>
        <translation>像素时钟:%1 MHz</translation>
    </message>
    <message>
        <source>Conncet:1.25Gbps</source>
        <translation>连接:1.25Gbps</translation>
    </message>
    <message>
        <source>Conncet:2.5Gbps</source>
        <translation>连接:2.5Gbps</translation>
    </message>
    <message>
        <source>Conncet:3.125Gbps</source>
        <translation>连接:3.125Gbps</translation>
    </message>
    <message>
        <source>Conncet:5Gbps</source>
        <translation>连接:5Gbps</translation>
    </message>
    <message>
        <source>Conncet:10Gbps</source>
        <translation>连接:10Gbps</translation>
    </message>
    <message>
        <source>Conncet:12.5Gbps</source>
        <translation>连接:12.5Gbps</translation>
    </message>
    <message>
        <source>Conncet:11.25Gbps</source>
        <translation>连接:11.25Gbps</translation>
    </message>
    <message>
        <source>Conncet:6.25Gbps</source>
        <translation>连接:6.25Gbps</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>Original Size</source>
        <translation>原始大小</translation>
    </message>
    <message>
        <source>Full Screen</source>
        <translation>全屏</translation>
    </message>
    <message>
        <source>Qt&apos;s Chinese translation (qtbase_zh_CN.qm) is not in %1: file dialogs stay in English</source>
        <translation>%1 中没有 Qt 的中文翻译(qtbase_zh_CN.qm)：文件对话框将保持英文</translation>
    </message>
    <message>
        <source>Failed to load image: %1 is not an image file</source>
        <translation type="vanished">加载图像失败：%1 不是图像文件</translation>
    </message>
    <message>
        <source>Image saved successfully: %1</source>
        <translation>图像保存成功: %1</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 不存在</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 不是文件</translation>
    </message>
    <message>
        <source>%1 is not an image file this program reads</source>
        <translation>%1 不是本程序可读取的图像文件</translation>
    </message>
    <message>
        <source>Failed to load image: %1</source>
        <translation>加载图像失败: %1</translation>
    </message>
    <message>
        <source>The camera file task</source>
        <translation>相机文件任务</translation>
    </message>
    <message>
        <source>Software trigger failed</source>
        <extracomment>软触发失败</extracomment>
        <translation>软触发失败</translation>
    </message>
    <message>
        <source>Board Configuration File (*.zbcf)</source>
        <translation>采集卡配置文件 (*.zbcf)</translation>
    </message>
    <message>
        <source>Camera Configuration File (*.ccf)</source>
        <translation>相机配置文件 (*.ccf)</translation>
    </message>
    <message>
        <source>Save Configuration File</source>
        <translation>保存配置文件</translation>
    </message>
    <message>
        <source>Open Configuration File</source>
        <translation>打开配置文件</translation>
    </message>
    <message>
        <source>Configuration file saved: %1</source>
        <translation>配置文件已保存: %1</translation>
    </message>
    <message>
        <source>Configuration file loaded: %1</source>
        <translation>配置文件已加载: %1</translation>
    </message>
    <message>
        <source>PCIe State:</source>
        <extracomment>PCIe状态:</extracomment>
        <translation>PCIe状态:</translation>
    </message>
    <message>
        <source>Warning : The line link is insufficient. It is recommended to replace the board or slot!</source>
        <translation>警告：链路带宽不足，建议更换采集卡或插槽！</translation>
    </message>
    <message>
        <source>The camera cannot switch its pixel shift: %1</source>
        <extracomment>相机无法切换像素位移模式:%1</extracomment>
        <translation>相机无法切换像素位移模式:%1</translation>
    </message>
    <message>
        <source>Save Video File</source>
        <translation>保存视频文件</translation>
    </message>
    <message>
        <source>Video File(*.h264)</source>
        <translation>视频文件(*.h264)</translation>
    </message>
    <message>
        <source>Failed to create video file</source>
        <extracomment>创建视频文件失败</extracomment>
        <translation>创建视频文件失败</translation>
    </message>
    <message>
        <source>Failed to set the camera heartbeat time-out: %1</source>
        <extracomment>设置相机心跳超时失败:%1</extracomment>
        <translation>设置相机心跳超时失败:%1</translation>
    </message>
</context>
<context>
    <name>QBaseMessageBox</name>
    <message>
        <source>Yes</source>
        <extracomment>是</extracomment>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <extracomment>否</extracomment>
        <translation>否</translation>
    </message>
</context>
<context>
    <name>QCustomDisplaySetting</name>
    <message>
        <source>Display Setting</source>
        <translation>显示设置</translation>
    </message>
    <message>
        <source>Pixel Depth</source>
        <translation>像素位深</translation>
    </message>
    <message>
        <source>Select the pixel depth of image to be display.
(8bits should select bit range)</source>
        <translation>选择要显示图像的像素位深。
(选择8bits时需要选择位范围)</translation>
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
        <translation>自适应</translation>
    </message>
    <message>
        <source>Bit Range</source>
        <translation>位范围</translation>
    </message>
    <message>
        <source>Select the Bit range of the image to be display.
(8 Bits Monochrome or 8 Bits per RGB color)</source>
        <translation>选择要显示图像的位范围。
(8位黑白或每个RGB颜色8位)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>QCustomFFTWidget</name>
    <message>
        <source>FFT</source>
        <translation>频谱(FFT)</translation>
    </message>
    <message>
        <source>Computing the spectrum</source>
        <translation>计算频谱</translation>
    </message>
</context>
<context>
    <name>QCustomMultipleLightWidget</name>
    <message>
        <source>Multiple Light</source>
        <translation>多光源</translation>
    </message>
    <message>
        <source>Multiple Light Count:</source>
        <translation>光源个数:</translation>
    </message>
</context>
<context>
    <name>QCustomPictureCanvas</name>
    <message>
        <source>Showing the picture</source>
        <translation>显示图像</translation>
    </message>
</context>
<context>
    <name>QCustomPictureView</name>
    <message>
        <source>Thumbnail</source>
        <translation>缩略图</translation>
    </message>
</context>
<context>
    <name>QCustomPictureWidget</name>
    <message>
        <source>Zoom In</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>缩小</translation>
    </message>
    <message>
        <source>Pixel Format</source>
        <translation>像素格式</translation>
    </message>
    <message>
        <source>Decimal</source>
        <translation>十进制</translation>
    </message>
    <message>
        <source>Hexadecimal</source>
        <translation>十六进制</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>翻转</translation>
    </message>
    <message>
        <source>Flip X</source>
        <translation>水平翻转</translation>
    </message>
    <message>
        <source>Flip Y</source>
        <translation>垂直翻转</translation>
    </message>
    <message>
        <source>Display Mode</source>
        <translation>显示模式</translation>
    </message>
    <message>
        <source>Pixel Displacement 2x2</source>
        <translation>像素位移 2x2</translation>
    </message>
    <message>
        <source>Pixel Displacement 4x4</source>
        <translation>像素位移 4x4</translation>
    </message>
    <message>
        <source>Multiple Light</source>
        <translation>多光源</translation>
    </message>
    <message>
        <source>FFT</source>
        <translation>频谱(FFT)</translation>
    </message>
    <message>
        <source>Display Setting</source>
        <translation>显示设置</translation>
    </message>
    <message>
        <source>Goto Pixel</source>
        <translation>跳转到像素</translation>
    </message>
    <message>
        <source>Zoom Fit</source>
        <translation>适应窗口</translation>
    </message>
    <message>
        <source>Original Size</source>
        <translation>原始大小</translation>
    </message>
    <message>
        <source>Maximum Image</source>
        <translation>最大化图像</translation>
    </message>
    <message>
        <source>Blank Image</source>
        <translation>空白图像</translation>
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
        <translation>灰度</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Channel%1</source>
        <translation>通道%1</translation>
    </message>
    <message>
        <source>Odd Row</source>
        <translation>奇数行</translation>
    </message>
    <message>
        <source>Even Row</source>
        <translation>偶数行</translation>
    </message>
    <message>
        <source>Odd Column</source>
        <translation>奇数列</translation>
    </message>
    <message>
        <source>Even Column</source>
        <translation>偶数列</translation>
    </message>
</context>
<context>
    <name>QCustomPixelSetting</name>
    <message>
        <source>Pixel Setting</source>
        <translation>像素定位</translation>
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
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>QCustomProfileLineWidget</name>
    <message>
        <source>Horizontal Profile Line</source>
        <translation>水平剖面线</translation>
    </message>
    <message>
        <source>Vertical Profile Line</source>
        <translation>垂直剖面线</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
</context>
<context>
    <name>VQtAcqRegisterDlg</name>
    <message>
        <source>Board Command</source>
        <translation>板卡命令</translation>
    </message>
    <message>
        <source>Address(0x):</source>
        <translation>地址(0x):</translation>
    </message>
    <message>
        <source>Value(0x):</source>
        <translation>数值(0x):</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写入</translation>
    </message>
    <message>
        <source>CRC Verify</source>
        <translation>CRC校验</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Please open the board !</source>
        <translation>请打开板卡 !</translation>
    </message>
    <message>
        <source>%1 %2 is larger than 32 bits; nothing was sent.</source>
        <translation>%1 %2 超过32位,未发送。</translation>
    </message>
    <message>
        <source>The read address is null !</source>
        <translation>读地址为空 !</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>Read Address:%1</source>
        <translation>读地址:%1</translation>
    </message>
    <message>
        <source>The write address or value is null !</source>
        <translation>写地址或数值为空 !</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>数值</translation>
    </message>
    <message>
        <source>Write Address:%1 , Value:%2</source>
        <translation>写地址:%1 , 数值:%2</translation>
    </message>
    <message>
        <source>This card type is not a CXP acquisition card !</source>
        <translation>该板卡不是CXP采集卡 !</translation>
    </message>
    <message>
        <source>The board has not answered the previous operation yet; nothing was sent.</source>
        <translation>采集卡尚未响应上一个操作，本次未发送任何内容。</translation>
    </message>
    <message>
        <source>Crc verify completed</source>
        <translation>CRC校验完成</translation>
    </message>
    <message>
        <source>Error Code:%1</source>
        <translation>错误码:%1</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>Read Value:%1</source>
        <translation>读取值:%1</translation>
    </message>
</context>
<context>
    <name>VQtAcqRegisterThread</name>
    <message>
        <source>Board register access</source>
        <translation>采集卡寄存器访问</translation>
    </message>
</context>
<context>
    <name>VQtAdvancedHistogram</name>
    <message>
        <source>Advanced Analytics</source>
        <translation>高级分析</translation>
    </message>
    <message>
        <source>Column Mean</source>
        <translation>列均值</translation>
    </message>
    <message>
        <source>Column RMS</source>
        <translation>列均方根</translation>
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
        <translation>选项 %1 需要设备后端列表 (%2)</translation>
    </message>
    <message>
        <source>Unknown device backend &quot;%1&quot; (known: %2)</source>
        <translation>未知的设备后端 &quot;%1&quot; (可用: %2)</translation>
    </message>
</context>
<context>
    <name>VQtBadPixelModel</name>
    <message>
        <source>ID</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Col</source>
        <translation>列</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>行</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>像素值</translation>
    </message>
    <message>
        <source>Col(Start)</source>
        <translation>列(起始)</translation>
    </message>
    <message>
        <source>Col(End)</source>
        <translation>列(结束)</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>个数</translation>
    </message>
    <message>
        <source>Row(Start)</source>
        <translation>行(起始)</translation>
    </message>
    <message>
        <source>Row(End)</source>
        <translation>行(结束)</translation>
    </message>
</context>
<context>
    <name>VQtBadPixelWidget</name>
    <message>
        <source>Bad Pixel Statistics</source>
        <translation>坏点统计</translation>
    </message>
    <message>
        <source>X Start:</source>
        <translation>X起点:</translation>
    </message>
    <message>
        <source>Y Start:</source>
        <translation>Y起点:</translation>
    </message>
    <message>
        <source>X Stop:</source>
        <translation>X终点:</translation>
    </message>
    <message>
        <source>Y Stop:</source>
        <translation>Y终点:</translation>
    </message>
    <message>
        <source>Horizontal:</source>
        <translation>水平:</translation>
    </message>
    <message>
        <source>Vertical:</source>
        <translation>垂直:</translation>
    </message>
    <message>
        <source>Range:</source>
        <translation>范围:</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>最小值</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>最大值</translation>
    </message>
    <message>
        <source>Frames:</source>
        <translation>帧数:</translation>
    </message>
    <message>
        <source>Remaining Frames:</source>
        <translation>剩余帧数:</translation>
    </message>
    <message>
        <source>ROI</source>
        <translation>感兴趣区域</translation>
    </message>
    <message>
        <source>Cluster</source>
        <translation>簇</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>范围</translation>
    </message>
    <message>
        <source>In of Range</source>
        <translation>范围内</translation>
    </message>
    <message>
        <source>In of Range(Contain Equal)</source>
        <translation>范围内(含等于)</translation>
    </message>
    <message>
        <source>Out of Range</source>
        <translation>范围外</translation>
    </message>
    <message>
        <source>Out of Range(Contain Equal)</source>
        <translation>范围外(含等于)</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>灰度</translation>
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
        <translation>设置</translation>
    </message>
    <message>
        <source>Whole Area</source>
        <translation>全部区域</translation>
    </message>
    <message>
        <source>Calc</source>
        <translation>计算</translation>
    </message>
    <message>
        <source>Export to File</source>
        <translation>导出到文件</translation>
    </message>
    <message>
        <source>Export Pixel</source>
        <translation>导出像素</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>单点</translation>
    </message>
    <message>
        <source>Horizontal Cluster</source>
        <translation>水平簇</translation>
    </message>
    <message>
        <source>Vertical Cluster</source>
        <translation>垂直簇</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Please conduct the grab operation first!</source>
        <translation>请先进行采集操作!</translation>
    </message>
    <message>
        <source>Set value is out of roi range!</source>
        <translation>设置值超出ROI范围!</translation>
    </message>
    <message>
        <source>There&apos;s too much bad pixel, just the first 100000 shows!</source>
        <translation>坏点过多,仅显示前100000个!</translation>
    </message>
    <message>
        <source>No Bad Pixel Data!</source>
        <translation>没有坏点数据!</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Writing to CSV file failed !</source>
        <translation>写入CSV文件失败!</translation>
    </message>
    <message>
        <source>Save csv file</source>
        <translation>保存CSV文件</translation>
    </message>
    <message>
        <source>Please check if the settings are correct !</source>
        <translation>请检查设置是否正确!</translation>
    </message>
    <message>
        <source>Setting out of range, please reset !</source>
        <translation>设置超出范围,请重新设置!</translation>
    </message>
</context>
<context>
    <name>VQtBoardLinkEvents</name>
    <message>
        <source>CXP over current event happen</source>
        <extracomment>CXP过电流保护事件发生</extracomment>
        <translation>CXP过电流保护事件发生</translation>
    </message>
    <message>
        <source>CRC check error</source>
        <extracomment>CRC检测错误</extracomment>
        <translation>CRC检测错误</translation>
    </message>
    <message>
        <source>CRC check error, count = %d</source>
        <extracomment>CRC检测错误, 个数为%d</extracomment>
        <translation>CRC检测错误, 个数为%d</translation>
    </message>
    <message>
        <source>CRC check error:stream channel %c , error count = %d</source>
        <extracomment>CRC检测错误:流通道为%c,错误个数为%d</extracomment>
        <translation>CRC检测错误:流通道为%c,错误个数为%d</translation>
    </message>
    <message>
        <source>Transfer error happen:stream channel %c, lost count = %d, error count = %d</source>
        <extracomment>传输错误发生:流通道为%c,丢失个数为%d, 错误个数为%d</extracomment>
        <translation>传输错误发生:流通道为%c,丢失个数为%d, 错误个数为%d</translation>
    </message>
</context>
<context>
    <name>VQtCodingTable</name>
    <message>
        <source>line %1 is missing</source>
        <translation>缺少第 %1 行</translation>
    </message>
    <message>
        <source>line %1 is longer than %2 characters</source>
        <translation>第 %1 行超过 %2 个字符</translation>
    </message>
    <message>
        <source>line %1 is not two numbers 0 ~ 65535 separated by a comma</source>
        <translation>第 %1 行不是以逗号分隔的两个 0 ~ 65535 的数</translation>
    </message>
</context>
<context>
    <name>VQtColorCalibration</name>
    <message>
        <source>No color calibration file &quot;%1&quot;: color correction and gamma are off.</source>
        <translation>没有颜色校准文件&quot;%1&quot;：颜色校正和伽马已关闭。</translation>
    </message>
    <message>
        <source>Cannot read the color calibration file &quot;%1&quot;: %2. Color correction and gamma are off.</source>
        <translation>无法读取颜色校准文件&quot;%1&quot;：%2。颜色校正和伽马已关闭。</translation>
    </message>
    <message>
        <source>The color calibration file &quot;%1&quot; holds %2 comma-separated values instead of 9: color correction and gamma are off.</source>
        <translation type="vanished">颜色校准文件&quot;%1&quot;包含 %2 个逗号分隔的数值，而不是 9 个：颜色校正和伽马已关闭。</translation>
    </message>
    <message>
        <source>Color calibration loaded from &quot;%1&quot;.</source>
        <translation>已从&quot;%1&quot;加载颜色校准。</translation>
    </message>
    <message>
        <source>it holds %1 comma-separated values instead of 9</source>
        <translation>文件含有 %1 个逗号分隔的值，而不是 9 个</translation>
    </message>
    <message>
        <source>value %1 (&quot;%2&quot;) is not a whole number</source>
        <translation>第 %1 个值（&quot;%2&quot;）不是整数</translation>
    </message>
    <message>
        <source>value %1 (%2) is out of range</source>
        <translation>第 %1 个值（%2）超出范围</translation>
    </message>
    <message>
        <source>The color calibration file &quot;%1&quot; is refused: %2. Color correction and gamma are off.</source>
        <translation>颜色校准文件&quot;%1&quot;被拒绝：%2。颜色校正和伽马已关闭。</translation>
    </message>
</context>
<context>
    <name>VQtCsvFile</name>
    <message>
        <source>line 1 does not read &quot;comment line&quot;</source>
        <translation>第 1 行不是 &quot;comment line&quot;</translation>
    </message>
    <message>
        <source>line 2 does not read &quot;input,output&quot;</source>
        <translation>第 2 行不是 &quot;input,output&quot;</translation>
    </message>
    <message>
        <source>%1 fields where 2 are expected</source>
        <translation>有 %1 个字段,应为 2 个</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a whole number</source>
        <translation>&quot;%1&quot; 不是整数</translation>
    </message>
    <message>
        <source>more than %1 entries</source>
        <translation>超过 %1 项</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>无法打开 %1: %2</translation>
    </message>
    <message>
        <source>%1 is larger than any correction table</source>
        <translation>%1 比任何校正表都大</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>第 %1 行: %2</translation>
    </message>
</context>
<context>
    <name>VQtCurveWidget</name>
    <message>
        <source>B_Spline</source>
        <translation>B样条</translation>
    </message>
    <message>
        <source>Input:</source>
        <translation>输入:</translation>
    </message>
    <message>
        <source>Output:</source>
        <translation>输出:</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Range: %1 ~ %2, The most recent value has been inserted.</source>
        <translation>范围: %1 ~ %2, 已填入最接近的值。</translation>
    </message>
</context>
<context>
    <name>VQtDevice</name>
    <message>
        <source>the folder %1 cannot be written</source>
        <translation>无法写入文件夹 %1</translation>
    </message>
    <message>
        <source>Board configuration file &quot;%1&quot; not loaded: %2</source>
        <translation>未加载采集卡配置文件“%1”：%2</translation>
    </message>
    <message>
        <source>Camera configuration file &quot;%1&quot; not loaded: %2</source>
        <translation>未加载相机配置文件“%1”：%2</translation>
    </message>
    <message>
        <source>no board is open</source>
        <translation>未打开采集卡</translation>
    </message>
    <message>
        <source>no camera is open</source>
        <translation>未打开相机</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>文件不存在</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>文件无法读取</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>文件为空</translation>
    </message>
    <message>
        <source>it is a camera configuration file</source>
        <translation>这是相机配置文件</translation>
    </message>
    <message>
        <source>it is a board configuration file</source>
        <translation>这是采集卡配置文件</translation>
    </message>
    <message>
        <source>Board configuration file &quot;%1&quot; not saved: %2</source>
        <translation>未保存采集卡配置文件“%1”：%2</translation>
    </message>
    <message>
        <source>Camera configuration file &quot;%1&quot; not saved: %2</source>
        <translation>未保存相机配置文件“%1”：%2</translation>
    </message>
</context>
<context>
    <name>VQtDeviceControl</name>
    <message>
        <source>Device command %1 failed: %2</source>
        <translation>设备命令%1失败: %2</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>未知错误</translation>
    </message>
    <message>
        <source>Get device count is %1</source>
        <extracomment>获取设备个数为%1</extracomment>
        <translation>获取设备个数为%1</translation>
    </message>
    <message>
        <source>Unknown device type %1</source>
        <translation>未知设备类型%1</translation>
    </message>
    <message>
        <source>Adaptive device scan type failure</source>
        <translation>自适应设备扫描类型失败</translation>
    </message>
    <message>
        <source>Adaptive image width failure</source>
        <translation>自适应图像宽失败</translation>
    </message>
    <message>
        <source>Adaptive image height failure</source>
        <translation>自适应图像高失败</translation>
    </message>
    <message>
        <source>Adaptive image pixel format failure</source>
        <translation>自适应图像数据模式失败</translation>
    </message>
    <message>
        <source>Adaptive device tap geometry failure</source>
        <translation>自适应设备Tap Geometry失败</translation>
    </message>
    <message>
        <source>Frame trigger ignored</source>
        <extracomment>帧触发忽略</extracomment>
        <translation>帧触发忽略</translation>
    </message>
    <message>
        <source>Feature polling stopped: %1</source>
        <translation>特征轮询已停止: %1</translation>
    </message>
    <message>
        <source>MAC : </source>
        <translation>MAC : </translation>
    </message>
    <message>
        <source>,Force to Ip : </source>
        <translation>,强制IP : </translation>
    </message>
    <message>
        <source> Failure</source>
        <translation> 失败</translation>
    </message>
</context>
<context>
    <name>VQtDeviceStream</name>
    <message>
        <source>Failed to allocate memory</source>
        <translation type="vanished">分配内存失败</translation>
    </message>
    <message>
        <source>No image to save</source>
        <translation>没有可保存的图像</translation>
    </message>
    <message>
        <source>%1 holds an empty frame (%2 x %3 pixels): nothing to show</source>
        <translation>%1 中是空帧 (%2 x %3 像素): 没有可显示的内容</translation>
    </message>
    <message>
        <source>Cannot show the frame: %1</source>
        <translation>无法显示该帧: %1</translation>
    </message>
    <message>
        <source>Failed to allocate memory for a %1 x %2 frame</source>
        <translation>为 %1 x %2 的帧分配内存失败</translation>
    </message>
    <message>
        <source>Please open the device!</source>
        <translation>请打开设备!</translation>
    </message>
    <message>
        <source>Starting the grab failed: %1</source>
        <translation>启动采集失败:%1</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>未知错误</translation>
    </message>
    <message>
        <source>The display loop did not end in time</source>
        <translation>显示循环未能及时结束</translation>
    </message>
    <message>
        <source>Apply memory failure</source>
        <extracomment>申请内存失败</extracomment>
        <translation>申请内存失败</translation>
    </message>
    <message>
        <source>Grab stop</source>
        <extracomment>采集停止</extracomment>
        <translation>采集停止</translation>
    </message>
    <message>
        <source>Grab timeout</source>
        <extracomment>采集超时</extracomment>
        <translation>采集超时</translation>
    </message>
    <message>
        <source>%1 failed: %2</source>
        <translation>%1 失败:%2</translation>
    </message>
    <message>
        <source>Stop the grab before opening an image</source>
        <translation>打开图像前请先停止采集</translation>
    </message>
    <message>
        <source>Failed to get image info</source>
        <extracomment>获取图像信息失败</extracomment>
        <translation>获取图像信息失败</translation>
    </message>
    <message>
        <source>Incomplete frame / line</source>
        <extracomment>不完整帧/行</extracomment>
        <translation>不完整帧/行</translation>
    </message>
    <message>
        <source>Grab frame lost</source>
        <extracomment>帧丢失</extracomment>
        <translation>帧丢失</translation>
    </message>
    <message>
        <source>Frame ignored</source>
        <extracomment>帧忽略</extracomment>
        <translation>帧忽略</translation>
    </message>
    <message>
        <source>Failed to set stream parameter</source>
        <extracomment>设置流参数失败</extracomment>
        <translation>设置流参数失败</translation>
    </message>
    <message>
        <source>New Buffer failure</source>
        <extracomment>新建缓冲区失败</extracomment>
        <translation>新建缓冲区失败</translation>
    </message>
    <message>
        <source>Alloc Stream failure</source>
        <extracomment>申请流失败</extracomment>
        <translation>申请流失败</translation>
    </message>
    <message>
        <source>Stream add buffer failure</source>
        <extracomment>流中添加缓冲区失败</extracomment>
        <translation>流中添加缓冲区失败</translation>
    </message>
    <message>
        <source>Image data error</source>
        <extracomment>图像数据异常</extracomment>
        <translation>图像数据异常</translation>
    </message>
    <message>
        <source>Buffer status:%1</source>
        <extracomment>缓冲区状态为:%1</extracomment>
        <translation>缓冲区状态为:%1</translation>
    </message>
    <message>
        <source>Frame is lost,Block_Id: from %1 to %2</source>
        <extracomment>帧丢失,区块ID:%1 到 %2</extracomment>
        <translation>帧丢失,区块ID:%1 到 %2</translation>
    </message>
    <message>
        <source>Frame is lost,Block_Id:%1</source>
        <extracomment>帧丢失,区块ID:%1</extracomment>
        <translation>帧丢失,区块ID:%1</translation>
    </message>
    <message>
        <source>Failed to create video file %1: no grab is running</source>
        <translation>创建视频文件 %1 失败:没有正在进行的采集</translation>
    </message>
</context>
<context>
    <name>VQtDeviceWidget</name>
    <message>
        <source>Device Feature</source>
        <translation>设备属性</translation>
    </message>
    <message>
        <source>Device List</source>
        <translation>设备列表</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Search Feature</source>
        <translation>搜索属性</translation>
    </message>
    <message>
        <source>User Level:</source>
        <translation>用户级别:</translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation>初级</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>专家</translation>
    </message>
    <message>
        <source>Guru</source>
        <translation>大师</translation>
    </message>
    <message>
        <source>Feature ToolTip</source>
        <translation>属性提示</translation>
    </message>
    <message>
        <source>Feature Tree</source>
        <translation>属性树</translation>
    </message>
    <message>
        <source>Frame Grabber</source>
        <translation>采集卡</translation>
    </message>
    <message>
        <source>Feature</source>
        <translation>属性</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>值</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>相机</translation>
    </message>
    <message>
        <source>Common Feature</source>
        <translation>常用属性</translation>
    </message>
    <message>
        <source>Camera IP and Host NIC IP in not subnet !</source>
        <translation>相机IP与主机网卡IP不在同一网段 !</translation>
    </message>
    <message>
        <source>Working...</source>
        <extracomment>正在执行...</extracomment>
        <translation>正在执行...</translation>
    </message>
    <message>
        <source>The device is doing other operations. Please try again later</source>
        <extracomment>设备正在进行其他操作，请稍后再试</extracomment>
        <translation>设备正在进行其他操作，请稍后再试</translation>
    </message>
    <message>
        <source>Please select the camera you want to open !</source>
        <extracomment>请选择需要打开的相机 !</extracomment>
        <translation>请选择需要打开的相机 !</translation>
    </message>
    <message>
        <source>Device remove</source>
        <extracomment>设备移除</extracomment>
        <translation>设备移除</translation>
    </message>
    <message>
        <source>Probe</source>
        <extracomment>探测</extracomment>
        <translation>探测</translation>
    </message>
    <message>
        <source>Camera IP is the same as Host NIC IP !</source>
        <translation>相机IP与主机网卡IP相同 !</translation>
    </message>
    <message>
        <source>Multiple cameras have the same IP !</source>
        <translation>多个相机IP相同 !</translation>
    </message>
</context>
<context>
    <name>VQtFeatureText</name>
    <message>
        <source>The name translation file &quot;%1&quot; is not used: %2. The built-in names are used instead.</source>
        <extracomment>名称翻译文件“%1”未使用：%2。改用内置的名称。</extracomment>
        <translation>名称翻译文件“%1”未使用：%2。改用内置的名称。</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <extracomment>文件不存在</extracomment>
        <translation>文件不存在</translation>
    </message>
    <message>
        <source>the file is too large</source>
        <extracomment>文件过大</extracomment>
        <translation>文件过大</translation>
    </message>
    <message>
        <source>it is not UTF-8 text</source>
        <extracomment>不是UTF-8文本</extracomment>
        <translation>不是UTF-8文本</translation>
    </message>
    <message>
        <source>it has lines that are not &quot;name=text&quot;</source>
        <extracomment>不是“名称=译文”格式的行</extracomment>
        <translation>含有不是“名称=译文”格式的行</translation>
    </message>
    <message>
        <source>it names nothing</source>
        <extracomment>没有任何名称</extracomment>
        <translation>没有任何名称</translation>
    </message>
</context>
<context>
    <name>VQtFftWidget</name>
    <message>
        <source>FFT Curve</source>
        <translation>FFT曲线</translation>
    </message>
    <message>
        <source>Column : %1</source>
        <translation>列 : %1</translation>
    </message>
</context>
<context>
    <name>VQtFileAccessDlg</name>
    <message>
        <source>FileIO</source>
        <translation>文件读写</translation>
    </message>
    <message>
        <source>%1 offers no files.</source>
        <translation>%1 没有提供文件。</translation>
    </message>
    <message>
        <source>Files of %1:</source>
        <translation>%1 的文件：</translation>
    </message>
    <message>
        <source>Reading, writing and deleting camera files is not available on this platform.</source>
        <translation>本平台不支持读取、写入和删除相机文件。</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写入</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>The camera file %1 cannot be read on this platform.</source>
        <translation>本平台无法读取相机文件 %1。</translation>
    </message>
    <message>
        <source>The camera file %1 cannot be written on this platform.</source>
        <translation>本平台无法写入相机文件 %1。</translation>
    </message>
    <message>
        <source>The camera file %1 cannot be deleted on this platform.</source>
        <translation>本平台无法删除相机文件 %1。</translation>
    </message>
</context>
<context>
    <name>VQtFirmwareFile</name>
    <message>
        <source>Failed to open firmware file!</source>
        <translation>打开固件文件失败!</translation>
    </message>
    <message>
        <source>Failed to read firmware file!</source>
        <translation>读取固件文件失败!</translation>
    </message>
    <message>
        <source>Firmware file data format error!</source>
        <translation>固件文件数据格式错误!</translation>
    </message>
    <message>
        <source>The firmware file is larger than the camera can take!</source>
        <translation>固件文件超出相机可接收的大小!</translation>
    </message>
    <message>
        <source>The firmware file holds no firmware data!</source>
        <translation>固件文件中没有固件数据!</translation>
    </message>
    <message>
        <source>Failed to get camera firmware version !</source>
        <translation>获取相机固件版本失败 !</translation>
    </message>
    <message>
        <source>Camera MCU protocol version is out of range !</source>
        <translation>相机MCU协议版本超出范围 !</translation>
    </message>
    <message>
        <source>Camera MCU firmware version is out of range !</source>
        <translation>相机MCU固件版本超出范围 !</translation>
    </message>
    <message>
        <source>Camera PCB firmware version is out of range !</source>
        <translation>相机PCB版本超出范围 !</translation>
    </message>
    <message>
        <source>Camera FPGA firmware version is out of range !</source>
        <translation>相机FPGA版本超出范围 !</translation>
    </message>
</context>
<context>
    <name>VQtFirmwareThread</name>
    <message>
        <source>Download Firmware</source>
        <translation>下载固件</translation>
    </message>
    <message>
        <source>Please waiting power light turns green and repower camera ...</source>
        <translation>请等待电源灯变绿后重新上电相机 ...</translation>
    </message>
    <message>
        <source>Please waiting power light turns green and repower camera.</source>
        <translation>请等待电源灯变绿后重新上电相机。</translation>
    </message>
    <message>
        <source>Firmware Upgrading</source>
        <translation>固件升级中</translation>
    </message>
    <message>
        <source>Failed to start update firmware</source>
        <translation>启动固件升级失败</translation>
    </message>
    <message>
        <source>Failed to set firmware size</source>
        <translation>设置固件大小失败</translation>
    </message>
    <message>
        <source>Failed to load firmware</source>
        <translation>加载固件失败</translation>
    </message>
    <message>
        <source>Failed to update firmware</source>
        <translation>更新固件失败</translation>
    </message>
    <message>
        <source>Failed to erasing</source>
        <translation>擦除失败</translation>
    </message>
    <message>
        <source>Erasing Firmware</source>
        <translation>正在擦除固件</translation>
    </message>
    <message>
        <source>Failed to write</source>
        <translation>写入失败</translation>
    </message>
    <message>
        <source>Failed to check update</source>
        <translation>升级校验失败</translation>
    </message>
    <message>
        <source>Failed to preparing download firmware</source>
        <translation>准备下载固件失败</translation>
    </message>
    <message>
        <source>Please open the device!</source>
        <translation>请打开设备!</translation>
    </message>
    <message>
        <source>The current device firmware update type is not supported!</source>
        <translation>不支持当前设备的固件升级类型!</translation>
    </message>
    <message>
        <source>The camera does not support firmware update!</source>
        <translation>该相机不支持固件升级!</translation>
    </message>
    <message>
        <source>Firmware file and camera name do not match, Do you want to continue updating?</source>
        <translation>固件文件与相机名称不匹配,是否继续升级?</translation>
    </message>
    <message>
        <source>Firmware file is made for %1, not for %2.</source>
        <translation>固件文件适用于 %1,而不是 %2。</translation>
    </message>
    <message>
        <source>Firmware upgrade</source>
        <translation>固件升级</translation>
    </message>
</context>
<context>
    <name>VQtFirmwareUpgradeDlg</name>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation>固件升级</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>文件名:</translation>
    </message>
    <message>
        <source>Firmware Type:</source>
        <translation>固件类型:</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>升级</translation>
    </message>
    <message>
        <source>Download Firmware</source>
        <translation>下载固件</translation>
    </message>
    <message>
        <source>Firmware File</source>
        <translation>固件文件</translation>
    </message>
    <message>
        <source>Please open the device!</source>
        <translation>请打开设备!</translation>
    </message>
    <message>
        <source>The file is empty. Please select the file!</source>
        <translation>文件名为空,请选择文件!</translation>
    </message>
    <message>
        <source>The file does not exist. Please select it again!</source>
        <translation>文件不存在,请重新选择!</translation>
    </message>
    <message>
        <source>The firmware type does not match the file, please check the reason!</source>
        <translation>固件类型与文件不匹配,请检查原因!</translation>
    </message>
    <message>
        <source>Firmware upgrade failed.</source>
        <translation>固件升级失败。</translation>
    </message>
    <message>
        <source>Firmware upgrade finished.</source>
        <translation>固件升级完成。</translation>
    </message>
    <message>
        <source>Please waiting power light turns green and repower camera!</source>
        <translation>请等待电源灯变绿后重新上电相机!</translation>
    </message>
    <message>
        <source>Re-Power Camera to Finish Firmware Upgrading Process!</source>
        <translation>请重新上电相机以完成固件升级!</translation>
    </message>
    <message>
        <source>Firmware Upgrading</source>
        <translation>固件升级中</translation>
    </message>
    <message>
        <source>Download Firmware is in progress, whether to stop?</source>
        <translation>正在下载固件,是否停止?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Firmware Upgrade is in progress, make sure the upgrade is complete</source>
        <translation>固件升级进行中,请确认升级完成</translation>
    </message>
</context>
<context>
    <name>VQtForceIpDlg</name>
    <message>
        <source>Force IP</source>
        <translation>强制IP</translation>
    </message>
    <message>
        <source>Force IP:</source>
        <translation>强制IP:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Please enter a complete IP address!</source>
        <translation>请输入完整的IP地址！</translation>
    </message>
    <message>
        <source>The last column of an IP address cannot be 0 or 255!</source>
        <translation>IP地址的最后一段不能为0或255！</translation>
    </message>
    <message>
        <source>Camera IP is the same as host NIC IP, exit !</source>
        <translation>相机IP与主机网卡IP相同，退出 !</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
</context>
<context>
    <name>VQtFrameLayout</name>
    <message>
        <source>%1-bit samples (only 8 or 16 bits can be shown)</source>
        <translation>%1 位采样 (只能显示 8 位或 16 位)</translation>
    </message>
    <message>
        <source>%1 channels (only 1, 3 or 4 can be shown)</source>
        <translation>%1 个通道 (只能显示 1、3 或 4 个通道)</translation>
    </message>
    <message>
        <source>a %1 x %2 frame needs %3 MiB, more than the %4 MiB of memory available</source>
        <translation>%1 x %2 的帧需要 %3 MiB, 超过可用内存 %4 MiB</translation>
    </message>
</context>
<context>
    <name>VQtHistogramCurve</name>
    <message>
        <source>Zoom multiples: %1</source>
        <translation>缩放倍数: %1</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>灰度</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>透明</translation>
    </message>
</context>
<context>
    <name>VQtHistogramWidget</name>
    <message>
        <source>Min:</source>
        <translation>最小值:</translation>
    </message>
    <message>
        <source>Max:</source>
        <translation>最大值:</translation>
    </message>
    <message>
        <source>Max-Min:</source>
        <translation>最大-最小:</translation>
    </message>
    <message>
        <source>Average:</source>
        <translation>平均值:</translation>
    </message>
    <message>
        <source>Standard:</source>
        <translation>标准差:</translation>
    </message>
    <message>
        <source>Analytics</source>
        <translation>图像分析</translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation>通道:</translation>
    </message>
    <message>
        <source>Line:</source>
        <translation>行:</translation>
    </message>
    <message>
        <source>Column:</source>
        <translation>列:</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>帧</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>行</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>列</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>平均值</translation>
    </message>
    <message>
        <source>Gray:</source>
        <translation>灰度:</translation>
    </message>
    <message>
        <source>Red:</source>
        <translation>红:</translation>
    </message>
    <message>
        <source>Green:</source>
        <translation>绿:</translation>
    </message>
    <message>
        <source>Blue:</source>
        <translation>蓝:</translation>
    </message>
    <message>
        <source>Clear:</source>
        <translation>透明:</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>透明</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>灰度</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Set value is out of range!</source>
        <translation>设置值超出范围!</translation>
    </message>
</context>
<context>
    <name>VQtImageFile</name>
    <message>
        <source>the header size is %1, expected 44</source>
        <translation>文件头大小为 %1, 应为 44</translation>
    </message>
    <message>
        <source>not an image file (wrong header mark)</source>
        <translation>不是图像文件 (文件头标记错误)</translation>
    </message>
    <message>
        <source>the header gives %1</source>
        <translation>文件头给出 %1</translation>
    </message>
    <message>
        <source>the header gives bit depth %1 with %2-bit storage</source>
        <translation>文件头给出位深 %1, 存储位数 %2</translation>
    </message>
    <message>
        <source>the header gives unknown image type %1 or packing %2</source>
        <translation>文件头给出未知的图像类型 %1 或打包方式 %2</translation>
    </message>
    <message>
        <source>the header gives %1 x %2 pixels, which cannot hold %3 bytes</source>
        <translation>文件头给出 %1 x %2 像素, 容纳不下 %3 字节</translation>
    </message>
    <message>
        <source>%1 x %2 pixels is not a frame size</source>
        <translation>%1 x %2 像素不是有效的帧尺寸</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>无法读取 %1: %2</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>无法打开 %1: %2</translation>
    </message>
    <message>
        <source>it is a folder, not an image file</source>
        <translation>这是文件夹, 不是图像文件</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>这不是普通文件</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>无法读取</translation>
    </message>
    <message>
        <source>the file is not open</source>
        <translation>文件未打开</translation>
    </message>
    <message>
        <source>it is too short for an image file header</source>
        <translation>文件太短, 容纳不下图像文件头</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1: %2</translation>
    </message>
    <message>
        <source>the file ended early</source>
        <translation>文件提前结束</translation>
    </message>
    <message>
        <source>the frame is not a readable JPEG image</source>
        <translation>该帧不是可读的 JPEG 图像</translation>
    </message>
    <message>
        <source>a frame of %1 x %2 pixels cannot be converted</source>
        <translation>%1 x %2 像素的帧无法转换</translation>
    </message>
    <message>
        <source>a frame of %1 x %2 pixels does not fit its %3 bytes of data</source>
        <translation>%1 x %2 像素的帧与其 %3 字节的数据不符</translation>
    </message>
    <message>
        <source>failed to allocate %1 bytes</source>
        <translation>分配 %1 字节内存失败</translation>
    </message>
    <message>
        <source>the frame holds no image data</source>
        <translation>该帧没有图像数据</translation>
    </message>
    <message>
        <source>a raw file needs its width, height and pixel format</source>
        <translation>raw 文件需要指定宽度、高度和像素格式</translation>
    </message>
    <message>
        <source>%1 bytes are too few for an image file header</source>
        <translation>%1 字节不足以容纳图像文件头</translation>
    </message>
    <message>
        <source>it holds no data after byte %1</source>
        <translation>第 %1 字节之后没有数据</translation>
    </message>
    <message>
        <source>it is not a BMP, JPEG, PNG or TIFF picture</source>
        <translation>不是 BMP、JPEG、PNG 或 TIFF 图片</translation>
    </message>
    <message>
        <source>it is not a picture in a format that can be read</source>
        <translation>不是可读取格式的图片</translation>
    </message>
</context>
<context>
    <name>VQtImageFileIO</name>
    <message>
        <source>Cannot open %1 for writing</source>
        <translation type="vanished">无法打开 %1 进行写入</translation>
    </message>
    <message>
        <source>Failed to write %1</source>
        <translation type="vanished">写入 %1 失败</translation>
    </message>
    <message>
        <source>The frame is not a readable JPEG image</source>
        <translation type="vanished">该帧不是可读取的 JPEG 图像</translation>
    </message>
    <message>
        <source>Frame size %1 x %2 cannot be converted</source>
        <translation type="vanished">帧尺寸 %1 x %2 无法转换</translation>
    </message>
    <message>
        <source>Frame of %1-bit samples with %2 channels cannot be converted</source>
        <translation type="vanished">%1 位采样、%2 通道的帧无法转换</translation>
    </message>
    <message>
        <source>Frame size %1 x %2 does not fit its %3 bytes of data</source>
        <translation type="vanished">帧尺寸 %1 x %2 与其 %3 字节数据不符</translation>
    </message>
    <message>
        <source>Failed to allocate memory</source>
        <extracomment>分配内存失败</extracomment>
        <translation type="vanished">分配内存失败</translation>
    </message>
    <message>
        <source>The frame holds no image data</source>
        <translation type="vanished">该帧不含图像数据</translation>
    </message>
    <message>
        <source>No frame to save</source>
        <translation type="vanished">没有可保存的帧</translation>
    </message>
    <message>
        <source>The data format chosen does not apply to this frame</source>
        <translation type="vanished">所选数据格式不适用于该帧</translation>
    </message>
    <message>
        <source>A raw file needs its width, height and pixel format</source>
        <translation type="vanished">raw 文件需要给出宽度、高度和像素格式</translation>
    </message>
    <message>
        <source>Cannot open %1</source>
        <translation type="vanished">无法打开 %1</translation>
    </message>
    <message>
        <source>%1 is too short for an image file header</source>
        <translation type="vanished">%1 太短，容纳不下图像文件头</translation>
    </message>
    <message>
        <source>Failed to read the data of %1</source>
        <translation type="vanished">读取 %1 的数据失败</translation>
    </message>
    <message>
        <source>%1 holds no data after byte %2</source>
        <translation type="vanished">%1 在第 %2 字节之后没有数据</translation>
    </message>
    <message>
        <source>%1 is not a readable picture</source>
        <translation type="vanished">%1 不是可读取的图片</translation>
    </message>
</context>
<context>
    <name>VQtImageHeader</name>
    <message>
        <source>Image file header size is %1, expected 44</source>
        <translation type="vanished">图像文件头大小为 %1，应为 44</translation>
    </message>
    <message>
        <source>Not an image file: wrong header mark</source>
        <translation type="vanished">不是图像文件：文件头标记错误</translation>
    </message>
    <message>
        <source>Image file header: %1 storage bits per sample</source>
        <translation type="vanished">图像文件头：每个采样存储位数为 %1</translation>
    </message>
    <message>
        <source>Image file header: %1 channels</source>
        <translation type="vanished">图像文件头：通道数为 %1</translation>
    </message>
    <message>
        <source>Image file header: bit depth %1 with %2-bit storage</source>
        <translation type="vanished">图像文件头：位深 %1，存储位数 %2</translation>
    </message>
    <message>
        <source>Image file header: unknown image type %1 or packing %2</source>
        <translation type="vanished">图像文件头：未知的图像类型 %1 或打包方式 %2</translation>
    </message>
    <message>
        <source>Image file header: %1 x %2 pixels cannot hold %3 bytes</source>
        <translation type="vanished">图像文件头：%1 x %2 像素无法容纳 %3 字节</translation>
    </message>
    <message>
        <source>Image file header: %1 x %2 pixels is not a frame size</source>
        <translation type="vanished">图像文件头：%1 x %2 像素不是有效的帧尺寸</translation>
    </message>
</context>
<context>
    <name>VQtImageSaver</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1: %2</translation>
    </message>
    <message>
        <source>there is no frame to save</source>
        <translation>没有可保存的帧</translation>
    </message>
    <message>
        <source>no picture format goes with the suffix &quot;%1&quot;</source>
        <translation>后缀 &quot;%1&quot; 没有对应的图片格式</translation>
    </message>
    <message>
        <source>the picture could not be encoded</source>
        <translation>图片无法编码</translation>
    </message>
    <message>
        <source>the data format chosen does not apply to this frame</source>
        <translation>所选数据格式不适用于该帧</translation>
    </message>
</context>
<context>
    <name>VQtImageThread</name>
    <message>
        <source>Failed to save image: %1</source>
        <translation>保存图像失败:%1</translation>
    </message>
    <message>
        <source>Failed to load image</source>
        <translation type="vanished">加载图像失败</translation>
    </message>
    <message>
        <source>Saving %1</source>
        <translation>保存 %1</translation>
    </message>
    <message>
        <source>%1 ... %2 (%3 images)</source>
        <translation>%1 ... %2 (%3 张图像)</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>无法打开 %1: %2</translation>
    </message>
    <message>
        <source>Failed to load image: %1</source>
        <translation>加载图像失败: %1</translation>
    </message>
    <message>
        <source>%1 holds %2 bytes of frame data, %3 bytes fewer than its header describes; the missing part is shown black</source>
        <translation>%1 含 %2 字节帧数据, 比文件头描述的少 %3 字节; 缺少的部分显示为黑色</translation>
    </message>
</context>
<context>
    <name>VQtLogFile</name>
    <message>
        <source>%1 lines of the log were not written: the disk did not keep up</source>
        <translation>日志有 %1 行未写入：磁盘写入跟不上</translation>
    </message>
    <message>
        <source>the folder cannot be created</source>
        <translation>无法创建该文件夹</translation>
    </message>
    <message>
        <source>the full file cannot be renamed</source>
        <translation>已满的文件无法重命名</translation>
    </message>
    <message>
        <source>The log is not written to %1 (%2); it is kept in the log window only</source>
        <translation>日志未写入 %1 (%2)；只保留在日志窗口中</translation>
    </message>
</context>
<context>
    <name>VQtLogTextEdit</name>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
</context>
<context>
    <name>VQtMeasureLengthWidget</name>
    <message>
        <source>Measure Length</source>
        <translation>长度测量</translation>
    </message>
    <message>
        <source>Pixel Length:</source>
        <translation>像素长度:</translation>
    </message>
    <message>
        <source>Pixel Start Point:</source>
        <translation>像素起点:</translation>
    </message>
    <message>
        <source>Pixel Stop Point:</source>
        <translation>像素终点:</translation>
    </message>
    <message>
        <source>Horizontal Length:</source>
        <translation>水平长度:</translation>
    </message>
    <message>
        <source>Vertical Length:</source>
        <translation>垂直长度:</translation>
    </message>
    <message>
        <source>Cartesian Length:</source>
        <translation>直线长度:</translation>
    </message>
</context>
<context>
    <name>VQtMessageWidget</name>
    <message>
        <source>Output Message</source>
        <extracomment>输出信息</extracomment>
        <translation>输出信息</translation>
    </message>
    <message>
        <source>Close</source>
        <extracomment>关闭</extracomment>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>VQtOpenRawFileDialog</name>
    <message>
        <source>Open Raw File</source>
        <translation>打开Raw文件</translation>
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
        <translation>8 位</translation>
    </message>
    <message>
        <source>10 bit</source>
        <translation>10 位</translation>
    </message>
    <message>
        <source>12 bit</source>
        <translation>12 位</translation>
    </message>
    <message>
        <source>14 bit</source>
        <translation>14 位</translation>
    </message>
    <message>
        <source>16 bit</source>
        <translation>16 位</translation>
    </message>
    <message>
        <source>Not Packed</source>
        <translation>非打包</translation>
    </message>
    <message>
        <source>Packed</source>
        <translation>打包</translation>
    </message>
    <message>
        <source>Lsb Packed</source>
        <translation>Lsb打包</translation>
    </message>
    <message>
        <source>Msb Packed</source>
        <translation>Msb打包</translation>
    </message>
    <message>
        <source>Jpeg Packed</source>
        <translation>Jpeg压缩</translation>
    </message>
    <message>
        <source>Estimate</source>
        <translation>估算</translation>
    </message>
    <message>
        <source>Data Start Position:</source>
        <translation>数据起始位置:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>宽度:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>高度:</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>类型:</translation>
    </message>
    <message>
        <source>Depth:</source>
        <translation>位深:</translation>
    </message>
    <message>
        <source>Packed:</source>
        <translation>打包方式:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Failed to estimate width and height , Please reconfigure type and depth!</source>
        <translation>估算宽度和高度失败，请重新设置类型和位深！</translation>
    </message>
    <message>
        <source>The input value does not match the file size!</source>
        <translation>输入的数值与文件大小不匹配！</translation>
    </message>
</context>
<context>
    <name>VQtOutputModel</name>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>级别</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>消息</translation>
    </message>
</context>
<context>
    <name>VQtOutputWidget</name>
    <message>
        <source>Main</source>
        <translation>主窗口</translation>
    </message>
    <message>
        <source>Clear</source>
        <extracomment>清除</extracomment>
        <translation>清除</translation>
    </message>
</context>
<context>
    <name>VQtPictureControl</name>
    <message>
        <source>Open Image</source>
        <translation>打开图像</translation>
    </message>
    <message>
        <source>Image Files</source>
        <translation>图像文件</translation>
    </message>
    <message>
        <source>No image to save</source>
        <translation>没有可保存的图像</translation>
    </message>
    <message>
        <source>Marker(%1,%2)Value(%3)</source>
        <translation>坐标(%1,%2)值(%3)</translation>
    </message>
    <message>
        <source>Pointer(%1,%2)</source>
        <translation>指针(%1,%2)</translation>
    </message>
    <message>
        <source>Pointer(%1,%2)Value(%3)</source>
        <translation>指针(%1,%2)值(%3)</translation>
    </message>
    <message>
        <source>Size:%1x%2 Zoom:%3%</source>
        <translation>尺寸:%1x%2 缩放:%3%</translation>
    </message>
</context>
<context>
    <name>VQtPixelViewModel</name>
    <message>
        <source>Column %1</source>
        <translation>第%1列</translation>
    </message>
    <message>
        <source>Row %1</source>
        <translation>第%1行</translation>
    </message>
</context>
<context>
    <name>VQtPixelViewWidget</name>
    <message>
        <source>Pixel Viewer</source>
        <translation>像素查看</translation>
    </message>
    <message>
        <source>Decimal</source>
        <translation>十进制</translation>
    </message>
    <message>
        <source>Hexadecimal</source>
        <translation>十六进制</translation>
    </message>
</context>
<context>
    <name>VQtPreProcessThread</name>
    <message>
        <source>Correction-table transfer</source>
        <translation>校正表传输</translation>
    </message>
    <message>
        <source>Refreshing the camera&apos;s features</source>
        <translation>刷新相机属性</translation>
    </message>
    <message>
        <source>Set LUT Index=%1 failure,Whether or not to continue?</source>
        <translation>设置LUT索引=%1失败,是否继续?</translation>
    </message>
    <message>
        <source>Set Flat Field Index=%1 failure,Whether or not to continue?</source>
        <translation>设置平场索引=%1失败,是否继续?</translation>
    </message>
    <message>
        <source>LUT Index=%1,get value failure,Whether or not to continue?</source>
        <translation>LUT索引=%1,读取数值失败,是否继续?</translation>
    </message>
    <message>
        <source>Flat Field Index=%1,get value failure,Whether or not to continue?</source>
        <translation>平场索引=%1,读取数值失败,是否继续?</translation>
    </message>
    <message>
        <source>Set LUT Index=%1 and Value=%2 failure,Whether or not to continue?</source>
        <translation>设置LUT索引=%1和数值=%2失败,是否继续?</translation>
    </message>
    <message>
        <source>Set Flat Field Index=%1 and Flat Field Value=%2 failure,Whether or not to continue?</source>
        <translation>设置平场索引=%1和平场数值=%2失败,是否继续?</translation>
    </message>
    <message>
        <source>Add row=%1 column= %2 failure,Whether or not to continue?</source>
        <translation>添加 行=%1 列= %2 失败,是否继续?</translation>
    </message>
    <message>
        <source>Remove row=%1 column= %2 failure,Whether or not to continue?</source>
        <translation>删除 行=%1 列= %2 失败,是否继续?</translation>
    </message>
    <message>
        <source>Set Defect Pixel Select=%1 failure,Whether or not to continue?</source>
        <translation>设置坏点选择=%1失败,是否继续?</translation>
    </message>
    <message>
        <source>DefectPixelSelect =%1 , get row or column failure,Whether or not to continue?</source>
        <translation>坏点选择 =%1 , 读取行或列失败,是否继续?</translation>
    </message>
</context>
<context>
    <name>VQtPreProcessWidget</name>
    <message>
        <source>Pre-Processing</source>
        <translation>预处理</translation>
    </message>
    <message>
        <source>Lut</source>
        <translation>查找表</translation>
    </message>
    <message>
        <source>Bad Pixel</source>
        <translation>坏点</translation>
    </message>
    <message>
        <source>FFC</source>
        <translation>平场校正</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>使能</translation>
    </message>
    <message>
        <source>Select Lut:</source>
        <translation>选择查找表:</translation>
    </message>
    <message>
        <source>Gamma:</source>
        <translation>伽马:</translation>
    </message>
    <message>
        <source>Calc</source>
        <translation>计算</translation>
    </message>
    <message>
        <source>Column:</source>
        <translation>列:</translation>
    </message>
    <message>
        <source>Row:</source>
        <translation>行:</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>修改</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Defect Pixel Save </source>
        <translation>保存坏点 </translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>全部删除</translation>
    </message>
    <message>
        <source>Import from File</source>
        <translation>从文件导入</translation>
    </message>
    <message>
        <source>Export to File</source>
        <translation>导出到文件</translation>
    </message>
    <message>
        <source>Read from Camera</source>
        <translation>从相机读取</translation>
    </message>
    <message>
        <source>Write to Camera</source>
        <translation>写入相机</translation>
    </message>
    <message>
        <source>Data Prasing . . .</source>
        <translation>数据处理中 . . .</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Please open the device!</source>
        <translation>请打开设备!</translation>
    </message>
    <message>
        <source>the camera does not tell the size of its table</source>
        <translation>相机未提供表的大小</translation>
    </message>
    <message>
        <source>The camera has not answered the previous transfer yet; nothing was sent.</source>
        <translation>相机尚未响应上一次传输，本次未发送任何内容。</translation>
    </message>
    <message>
        <source>Write data to camera failure!</source>
        <translation>写入相机数据失败!</translation>
    </message>
    <message>
        <source>Read data from camera failure!</source>
        <translation>从相机读取数据失败!</translation>
    </message>
    <message>
        <source>Set parameter failure!</source>
        <translation>设置参数失败!</translation>
    </message>
    <message>
        <source>Get lut maximum value of zero or failure !</source>
        <translation>获取查找表最大值为零或失败 !</translation>
    </message>
    <message>
        <source>Defect pixel save failure.</source>
        <translation>保存坏点失败。</translation>
    </message>
    <message>
        <source>Clear all defect pixel failure</source>
        <translation>清除全部坏点失败</translation>
    </message>
    <message>
        <source>Read from CSV file failure!</source>
        <translation>读取CSV文件失败!</translation>
    </message>
    <message>
        <source>%1: reading stopped at %2; the %3 entries before it were taken.</source>
        <translation>%1: 读取在%2处停止;已采用之前的 %3 项。</translation>
    </message>
    <message>
        <source>Writing to CSV file failure !</source>
        <translation>写入CSV文件失败 !</translation>
    </message>
    <message>
        <source>Open csv file</source>
        <translation>打开csv文件</translation>
    </message>
    <message>
        <source>Save csv file</source>
        <translation>保存csv文件</translation>
    </message>
</context>
<context>
    <name>VQtPreferenceDlg</name>
    <message>
        <source>Preference</source>
        <translation>首选项</translation>
    </message>
    <message>
        <source>General</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>高级</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>采集卡</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>相机</translation>
    </message>
    <message>
        <source>Polling Time</source>
        <translation>轮询时间</translation>
    </message>
    <message>
        <source>Feature ToolTip</source>
        <translation>属性提示</translation>
    </message>
    <message>
        <source>User Level:</source>
        <translation>用户级别:</translation>
    </message>
    <message>
        <source>Beginner</source>
        <translation>初级</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>专家</translation>
    </message>
    <message>
        <source>Guru</source>
        <translation>大师</translation>
    </message>
    <message>
        <source>Measure Unit:</source>
        <translation>测量单位:</translation>
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
        <translation>抽帧显示</translation>
    </message>
    <message>
        <source>Interval Time(ms):</source>
        <translation>间隔时间(ms):</translation>
    </message>
    <message>
        <source>Bayer Interpolation:</source>
        <translation>Bayer插值:</translation>
    </message>
    <message>
        <source>Linear</source>
        <translation>线性</translation>
    </message>
    <message>
        <source>Bicubic</source>
        <translation>双三次</translation>
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
        <translation>缩放插值:</translation>
    </message>
    <message>
        <source>NN</source>
        <translation>最近邻</translation>
    </message>
    <message>
        <source>Cubiz</source>
        <translation>三次</translation>
    </message>
    <message>
        <source>Area</source>
        <translation>区域</translation>
    </message>
    <message>
        <source>Line Profile</source>
        <translation>剖面线</translation>
    </message>
    <message>
        <source>Coordinate</source>
        <translation>坐标</translation>
    </message>
    <message>
        <source>Shape:</source>
        <translation>形状:</translation>
    </message>
    <message>
        <source>Bar</source>
        <translation>柱状</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>线状</translation>
    </message>
    <message>
        <source>Tif File</source>
        <translation>Tif文件</translation>
    </message>
    <message>
        <source>When saving tif file,whether to perform LZW compression?</source>
        <translation>保存tif文件时是否进行LZW压缩？</translation>
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
        <translation>Jpeg图像</translation>
    </message>
    <message>
        <source>Compress Quality:</source>
        <translation>压缩质量:</translation>
    </message>
    <message>
        <source>Video X264</source>
        <translation>X264视频</translation>
    </message>
    <message>
        <source>Frame Rate:</source>
        <translation>帧率:</translation>
    </message>
    <message>
        <source>Show Uncompleted Frame</source>
        <translation>显示不完整帧</translation>
    </message>
    <message>
        <source>RGB Channel Conversion</source>
        <translation>RGB通道转换</translation>
    </message>
    <message>
        <source>Buffer Count:</source>
        <translation>缓冲区个数:</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Stop Stream When Crc Error Happen</source>
        <translation>发生CRC错误时停止数据流</translation>
    </message>
    <message>
        <source>CoaXPress12 Support</source>
        <translation>支持CoaXPress12</translation>
    </message>
    <message>
        <source>CoaXPress Communication Tag Support</source>
        <translation>支持CoaXPress通讯标签</translation>
    </message>
    <message>
        <source>CoaXPress Control Packet Max Size:</source>
        <translation>CoaXPress控制包最大长度:</translation>
    </message>
    <message>
        <source>CoaXPress Stream Packet Max Size:</source>
        <translation>CoaXPress数据流包最大长度:</translation>
    </message>
    <message>
        <source>CoaXPress RW Register Max Time:</source>
        <translation>CoaXPress读写寄存器最长时间:</translation>
    </message>
    <message>
        <source>Timeout(ms):</source>
        <translation>超时(ms):</translation>
    </message>
    <message>
        <source>Infinite</source>
        <translation>无限</translation>
    </message>
    <message>
        <source>CL Heartbeat Timeout(ms):</source>
        <translation>CL心跳超时(ms):</translation>
    </message>
    <message>
        <source>GigEvision Heartbeat Timeout(ms):</source>
        <translation>GigEVision心跳超时(ms):</translation>
    </message>
    <message>
        <source>Stream Parameter</source>
        <translation>数据流参数</translation>
    </message>
    <message>
        <source>Self Adaption</source>
        <translation>自适应</translation>
    </message>
    <message>
        <source>Packet Max Resend Count:</source>
        <translation>包最大重传次数:</translation>
    </message>
    <message>
        <source>Packet Resend Timeout(ms):</source>
        <translation>包重传超时(ms):</translation>
    </message>
    <message>
        <source>Packet Inter Timeout(ms):</source>
        <translation>包间隔超时(ms):</translation>
    </message>
    <message>
        <source>Block Max Resend Packet Count:</source>
        <translation>块最大重传包数:</translation>
    </message>
    <message>
        <source>Block Max Wait Packet Count:</source>
        <translation>块最大等待包数:</translation>
    </message>
    <message>
        <source>Block Resend Window Size:</source>
        <translation>块重传窗口大小:</translation>
    </message>
    <message>
        <source>Burr Detection Image Save Rate:</source>
        <translation>毛刺检测图像保存比例:</translation>
    </message>
    <message>
        <source>Burr Detection Image Save Path:</source>
        <translation>毛刺检测图像保存路径:</translation>
    </message>
    <message>
        <source>Burr Detection Image Save Count:</source>
        <translation>毛刺检测图像保存个数:</translation>
    </message>
    <message>
        <source>Camera Debug Options</source>
        <translation>相机调试选项</translation>
    </message>
    <message>
        <source>Using Local Xml</source>
        <translation>使用本地Xml</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>文件名:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>打开目录</translation>
    </message>
    <message>
        <source>Xml File</source>
        <translation>Xml文件</translation>
    </message>
    <message>
        <source>xml(*.xml);;zip(*.zip)</source>
        <translation>xml(*.xml);;zip(*.zip)</translation>
    </message>
    <message>
        <source>Device Backends</source>
        <translation>设备后端</translation>
    </message>
    <message>
        <source>Simulated devices</source>
        <translation>模拟设备</translation>
    </message>
    <message>
        <source>GigE Vision and USB3 Vision cameras (Aravis)</source>
        <translation>GigE Vision 和 USB3 Vision 相机 (Aravis)</translation>
    </message>
</context>
<context>
    <name>VQtPreviewDlg</name>
    <message>
        <source>Tap Arrangement</source>
        <translation>抽头排列</translation>
    </message>
    <message>
        <source>Integration Trigger Method</source>
        <translation>积分触发方式</translation>
    </message>
    <message>
        <source>Strobe Trigger Method</source>
        <translation>频闪触发方式</translation>
    </message>
    <message>
        <source>Software Trigger Polarity</source>
        <translation>软件触发极性</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no tap geometry this preview knows.</source>
        <translation>“%1”不是本预览认识的抽头几何。</translation>
    </message>
    <message>
        <source>%1 taps: %2 region(s) across, each read by %3 adjacent tap(s), and %4 region(s) down. The arrows show where each region&apos;s readout starts and which way it runs.</source>
        <translation>%1 个抽头：横向 %2 个区域，每个区域由 %3 个相邻抽头读出，纵向 %4 个区域。箭头表示每个区域读出的起点和方向。</translation>
    </message>
    <message>
        <source>Both signals start from the trigger: signal 1 after Delay1 for Width1, signal 2 after Delay2 for Width2.</source>
        <translation>两个信号都从触发开始计时：信号 1 在延时1 之后持续宽度1，信号 2 在延时2 之后持续宽度2。</translation>
    </message>
    <message>
        <source>Integration signal 1 starts Delay1 after the trigger and lasts as long as the trigger input stays active.</source>
        <translation>积分信号 1 在触发后延时1 开始，持续到触发输入结束。</translation>
    </message>
    <message>
        <source>Signal 1 starts Delay1 after the trigger and lasts Width1; signal 2 starts Delay2 after signal 1 ends and lasts Width2.</source>
        <translation>信号 1 在触发后延时1 开始，持续宽度1；信号 2 在信号 1 结束后延时2 开始，持续宽度2。</translation>
    </message>
    <message>
        <source>Integration signal 1 starts Delay1 after the trigger and lasts Width1.</source>
        <translation>积分信号 1 在触发后延时1 开始，持续宽度1。</translation>
    </message>
    <message>
        <source>The strobe starts Delay after the trigger and lasts Width.</source>
        <translation>频闪在触发后延时开始，持续宽度。</translation>
    </message>
    <message>
        <source>The strobe starts Delay after the integration begins and lasts Width.</source>
        <translation>频闪在积分开始后延时开始，持续宽度。</translation>
    </message>
    <message>
        <source>The strobe starts Delay after the integration ends and lasts Width.</source>
        <translation>频闪在积分结束后延时开始，持续宽度。</translation>
    </message>
    <message>
        <source>Count pulses of Width, one every Period, the first Delay after the command; the active level is the selected polarity.</source>
        <translation>共“个数”个脉冲，每个持续宽度，间隔为周期，第一个在命令后延时发出；有效电平为所选极性。</translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation>触发</translation>
    </message>
    <message>
        <source>Delay1</source>
        <translation>延时1</translation>
    </message>
    <message>
        <source>Width1</source>
        <translation>宽度1</translation>
    </message>
    <message>
        <source>Integration 1</source>
        <translation>积分 1</translation>
    </message>
    <message>
        <source>Integration 2</source>
        <translation>积分 2</translation>
    </message>
    <message>
        <source>Delay2</source>
        <translation>延时2</translation>
    </message>
    <message>
        <source>Width2</source>
        <translation>宽度2</translation>
    </message>
    <message>
        <source>Integration</source>
        <translation>积分</translation>
    </message>
    <message>
        <source>Strobe</source>
        <translation>频闪</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>延时</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>宽度</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>命令</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>周期</translation>
    </message>
    <message>
        <source>Trigger (x%1)</source>
        <translation>触发 (x%1)</translation>
    </message>
    <message>
        <source>Tap %1</source>
        <translation>抽头 %1</translation>
    </message>
    <message>
        <source>Taps %1-%2</source>
        <translation>抽头 %1-%2</translation>
    </message>
</context>
<context>
    <name>VQtRemoteRegisterDlg</name>
    <message>
        <source>Command</source>
        <translation>命令</translation>
    </message>
    <message>
        <source>Address(0x):</source>
        <translation>地址(0x):</translation>
    </message>
    <message>
        <source>Value:</source>
        <translation>数值:</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写入</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Please open the device !</source>
        <translation>请打开设备 !</translation>
    </message>
    <message>
        <source>The read address is null !</source>
        <translation>读地址为空 !</translation>
    </message>
    <message>
        <source>Read Address:%1</source>
        <translation>读地址:%1</translation>
    </message>
    <message>
        <source>The write address or value is null !</source>
        <translation>写地址或数值为空 !</translation>
    </message>
    <message>
        <source>Value %1 does not fit in 32 bits; nothing was sent.</source>
        <translation>数值 %1 超出32位,未发送。</translation>
    </message>
    <message>
        <source>Write Address:%1 , Value:%2</source>
        <translation>写地址:%1 , 数值:%2</translation>
    </message>
    <message>
        <source>The camera has not answered the previous operation yet; nothing was sent.</source>
        <translation>相机尚未响应上一个操作，本次未发送任何内容。</translation>
    </message>
    <message>
        <source>Error Code:%1</source>
        <translation>错误码:%1</translation>
    </message>
    <message>
        <source>Read Value:%1</source>
        <translation>读取值:%1</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>成功</translation>
    </message>
</context>
<context>
    <name>VQtRemoteRegisterThread</name>
    <message>
        <source>Camera register access</source>
        <translation>相机寄存器访问</translation>
    </message>
</context>
<context>
    <name>VQtRoiHistogramWidget</name>
    <message>
        <source>ROI Analytics</source>
        <translation>ROI分析</translation>
    </message>
    <message>
        <source>ROI</source>
        <translation>感兴趣区域</translation>
    </message>
    <message>
        <source>X Start:</source>
        <translation>X起点:</translation>
    </message>
    <message>
        <source>Y Start:</source>
        <translation>Y起点:</translation>
    </message>
    <message>
        <source>X Stop:</source>
        <translation>X终点:</translation>
    </message>
    <message>
        <source>Y Stop:</source>
        <translation>Y终点:</translation>
    </message>
    <message>
        <source>Area:</source>
        <translation>区域:</translation>
    </message>
    <message>
        <source>Pixel Count:</source>
        <translation>像素数:</translation>
    </message>
    <message>
        <source>Physical Area:</source>
        <translation>物理面积:</translation>
    </message>
    <message>
        <source>Statistics:</source>
        <translation>统计:</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Whole Area</source>
        <translation>全部区域</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>帧</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>奇数列</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>偶数列</translation>
    </message>
    <message>
        <source>Max/Min:</source>
        <translation>最大/最小:</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Set value is out of roi range!</source>
        <translation>设置值超出ROI范围!</translation>
    </message>
    <message>
        <source>Please check if the settings are correct !</source>
        <translation>请检查设置是否正确!</translation>
    </message>
    <message>
        <source>Setting out of range, please reset !</source>
        <translation>设置超出范围,请重新设置!</translation>
    </message>
</context>
<context>
    <name>VQtSafeFile</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1: %2</translation>
    </message>
    <message>
        <source>no file name</source>
        <translation>没有文件名</translation>
    </message>
    <message>
        <source>it is a symbolic link, which this file must not be</source>
        <translation>这是符号链接, 该文件不允许是符号链接</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>这是文件夹</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>这不是普通文件</translation>
    </message>
    <message>
        <source>the file is not open</source>
        <translation>文件未打开</translation>
    </message>
    <message>
        <source>no data</source>
        <translation>没有数据</translation>
    </message>
    <message>
        <source>Cannot set the permissions of %1: %2</source>
        <translation>无法设置 %1 的权限: %2</translation>
    </message>
    <message>
        <source>it is a symbolic link</source>
        <translation>这是符号链接</translation>
    </message>
</context>
<context>
    <name>VQtSaveConversionWidget</name>
    <message>
        <source>Data Format:</source>
        <translation>数据格式:</translation>
    </message>
    <message>
        <source>Pixel Depth:</source>
        <translation>像素位深:</translation>
    </message>
    <message>
        <source>Bit Range:</source>
        <translation>位范围:</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>灰度</translation>
    </message>
    <message>
        <source>Channel %1</source>
        <translation>通道 %1</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation>通道 3</translation>
    </message>
    <message>
        <source>RGBC</source>
        <translation>RGBC</translation>
    </message>
    <message>
        <source>8 bits</source>
        <translation>8 位</translation>
    </message>
    <message>
        <source>16 bits</source>
        <translation>16 位</translation>
    </message>
    <message>
        <source>Stretch to 16 bit</source>
        <translation>拉伸到16位</translation>
    </message>
    <message>
        <source>Bit %1 - %2</source>
        <translation>位 %1 - %2</translation>
    </message>
</context>
<context>
    <name>VQtSaveImageDialog</name>
    <message>
        <source>Save Image</source>
        <translation>保存图像</translation>
    </message>
</context>
<context>
    <name>VQtSaveSequenceDialog</name>
    <message>
        <source>Save Image Sequence</source>
        <translation>保存图像序列</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>Save Path:</source>
        <translation>保存路径:</translation>
    </message>
    <message>
        <source>Prefix:</source>
        <translation>前缀:</translation>
    </message>
    <message>
        <source>Begin Number:</source>
        <translation>起始编号:</translation>
    </message>
    <message>
        <source>Image Count:</source>
        <translation>图像个数:</translation>
    </message>
    <message>
        <source>Image Type:</source>
        <translation>图像类型:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Save Path</source>
        <translation>保存路径</translation>
    </message>
    <message>
        <source>Waring</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The current path does not exist, please select it again?</source>
        <translation>当前路径不存在，请重新选择？</translation>
    </message>
</context>
<context>
    <name>VQtSendTablesDlg</name>
    <message>
        <source>Send Tables</source>
        <translation>发送表</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Please open the device!</source>
        <translation>请打开设备!</translation>
    </message>
    <message>
        <source>The camera has not answered the previous transfer yet; nothing was sent.</source>
        <translation>相机尚未响应上一次传输，本次未发送任何内容。</translation>
    </message>
    <message>
        <source>Send Tables is in progress, Exit?</source>
        <translation>发送表进行中,是否退出?</translation>
    </message>
</context>
<context>
    <name>VQtSendTablesThread</name>
    <message>
        <source>Sending the coding tables</source>
        <translation>发送编码表</translation>
    </message>
    <message>
        <source>File %1.csv does not exist</source>
        <translation>文件 %1.csv 不存在</translation>
    </message>
    <message>
        <source>%1.csv，Error code:0xF002</source>
        <translation>%1.csv，错误码:0xF002</translation>
    </message>
    <message>
        <source>Write address : 0XA870，value %1 error</source>
        <translation>写地址 : 0XA870，数值 %1 错误</translation>
    </message>
    <message>
        <source>Write address : 0XA874，value %1 error</source>
        <translation>写地址 : 0XA874，数值 %1 错误</translation>
    </message>
    <message>
        <source>Read address : 0XA874 error</source>
        <translation>读地址 : 0XA874 错误</translation>
    </message>
    <message>
        <source>%1.csv line %2: 0x%3 was written, 0x%4 read back</source>
        <translation>%1.csv 第 %2 行: 写入 0x%3,读回 0x%4</translation>
    </message>
    <message>
        <source>Write address : 0XA878，value %1 error</source>
        <translation>写地址 : 0XA878，数值 %1 错误</translation>
    </message>
    <message>
        <source>Write tables ok</source>
        <translation>写表成功</translation>
    </message>
</context>
<context>
    <name>VQtSerialControlWidget</name>
    <message>
        <source>Serial Control</source>
        <translation>串口控制</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>The serial port has not answered the last read yet.</source>
        <translation>串口尚未响应上一次读取。</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Please open the device!</source>
        <translation>请打开设备!</translation>
    </message>
</context>
<context>
    <name>VQtSerialThread</name>
    <message>
        <source>Reading the serial port</source>
        <translation>读取串口</translation>
    </message>
</context>
<context>
    <name>VQtSignalCheck</name>
    <message>
        <source>Host link</source>
        <translation>主机链路</translation>
    </message>
    <message>
        <source>Pixel clock</source>
        <translation>像素时钟</translation>
    </message>
    <message>
        <source>%1 MHz</source>
        <translation>%1 MHz</translation>
    </message>
    <message>
        <source>Camera power</source>
        <translation>相机供电</translation>
    </message>
    <message>
        <source>Voltage supply</source>
        <translation>电压供给</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>帧</translation>
    </message>
    <message>
        <source>%1 (%2 fps)</source>
        <translation>%1 (%2 fps)</translation>
    </message>
    <message>
        <source>not grabbing</source>
        <translation>未采集</translation>
    </message>
    <message>
        <source>Line rate</source>
        <translation>行频</translation>
    </message>
    <message>
        <source>%1 lines/s</source>
        <translation>%1 行/秒</translation>
    </message>
    <message>
        <source>Lost frames</source>
        <translation>丢帧</translation>
    </message>
    <message>
        <source>Incomplete frames</source>
        <translation>不完整帧</translation>
    </message>
    <message>
        <source>Time-outs</source>
        <translation>超时</translation>
    </message>
    <message>
        <source>Ignored triggers</source>
        <translation>忽略的触发</translation>
    </message>
    <message>
        <source>Over-current events</source>
        <translation>过流事件</translation>
    </message>
    <message>
        <source>CRC errors</source>
        <translation>CRC 错误</translation>
    </message>
    <message>
        <source>Transfer errors</source>
        <translation>传输错误</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>No signal</source>
        <translation>无信号</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>等待</translation>
    </message>
</context>
<context>
    <name>VQtSignalCheckDlg</name>
    <message>
        <source>Check Signal</source>
        <translation>信号检测</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>信号</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>数值</translation>
    </message>
    <message>
        <source>State</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>已停止</translation>
    </message>
    <message>
        <source>Press Start to check the board&apos;s signals.</source>
        <translation>按“开始”检测采集卡的信号。</translation>
    </message>
    <message>
        <source>No board is open.</source>
        <translation>没有打开的采集卡。</translation>
    </message>
    <message>
        <source>Checking for %1 s</source>
        <translation>已检测 %1 秒</translation>
    </message>
</context>
<context>
    <name>VQtSystemParam</name>
    <message>
        <source>Settings: &quot;%1&quot; = &quot;%2&quot; is not a whole number; the default %3 is used.</source>
        <translation>设置：&quot;%1&quot; = &quot;%2&quot; 不是整数，使用默认值 %3。</translation>
    </message>
    <message>
        <source>Settings: &quot;%1&quot; = %2 is outside %3 to %4; the default %5 is used.</source>
        <translation>设置：&quot;%1&quot; = %2 超出 %3 到 %4 的范围，使用默认值 %5。</translation>
    </message>
    <message>
        <source>Settings: &quot;%1&quot; = &quot;%2&quot; is neither true nor false; the default %3 is used.</source>
        <translation>设置：&quot;%1&quot; = &quot;%2&quot; 既不是 true 也不是 false，使用默认值 %3。</translation>
    </message>
    <message>
        <source>The settings file %1 is a folder: the defaults are used and changes to the settings will not be kept.</source>
        <translation>设置文件 %1 是一个文件夹：使用默认值，对设置的修改将不会被保存。</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read: the defaults are used.</source>
        <translation>无法读取设置文件 %1：使用默认值。</translation>
    </message>
    <message>
        <source>The settings file %1 is not a valid settings file: the values that could be read are used.</source>
        <translation>设置文件 %1 不是有效的设置文件：使用能够读取的值。</translation>
    </message>
    <message>
        <source>The settings file %1 holds a value that cannot be decoded: the defaults are used.</source>
        <translation>设置文件 %1 含有无法解码的值：使用默认值。</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be written (%2): changes to the settings will not be kept.</source>
        <translation>无法写入设置文件 %1（%2）：对设置的修改将不会被保存。</translation>
    </message>
    <message>
        <source>its folder is read-only</source>
        <translation>其所在文件夹为只读</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>文件为只读</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1: %2</translation>
    </message>
    <message>
        <source>the settings could not be prepared in the temporary folder</source>
        <translation>无法在临时文件夹中准备设置</translation>
    </message>
</context>
<context>
    <name>VQtTableCheck</name>
    <message>
        <source>line %1</source>
        <translation>第 %1 行</translation>
    </message>
    <message>
        <source>entry %1</source>
        <translation>第 %1 项</translation>
    </message>
    <message>
        <source>%1 defect pixels, the camera&apos;s list holds %2</source>
        <translation>%1 个坏点,相机列表最多 %2 个</translation>
    </message>
    <message>
        <source>%1: column %2 is outside %3 ~ %4</source>
        <translation>%1: 列 %2 超出 %3 ~ %4</translation>
    </message>
    <message>
        <source>%1: row %2 is outside %3 ~ %4</source>
        <translation>%1: 行 %2 超出 %3 ~ %4</translation>
    </message>
    <message>
        <source>%1 entries, the camera&apos;s table has %2</source>
        <translation>%1 项,相机的表有 %2 项</translation>
    </message>
    <message>
        <source>%1: index %2 is outside 0 ~ %3</source>
        <translation>%1: 索引 %2 超出 0 ~ %3</translation>
    </message>
    <message>
        <source>%1: index %2 appears a second time</source>
        <translation>%1: 索引 %2 重复出现</translation>
    </message>
    <message>
        <source>%1: value %2 is outside %3 ~ %4</source>
        <translation>%1: 数值 %2 超出 %3 ~ %4</translation>
    </message>
</context>
<context>
    <name>VQtTableViewModel</name>
    <message>
        <source>Success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>Failure</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>列</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>行</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>索引</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>数据</translation>
    </message>
</context>
<context>
    <name>VQtThreadGuard</name>
    <message>
        <source>unknown error</source>
        <translation>未知错误</translation>
    </message>
    <message>
        <source>%1 failed: %2</source>
        <translation>%1失败: %2</translation>
    </message>
</context>
<context>
    <name>VQtTreeWidget</name>
    <message>
        <source>Feature</source>
        <translation>特征</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>值</translation>
    </message>
    <message>
        <source>Execute</source>
        <extracomment>执行</extracomment>
        <translation>执行</translation>
    </message>
</context>
<context>
    <name>VQtVideoFrameConverter</name>
    <message>
        <source>frames of %1 x %2 pixels cannot be recorded</source>
        <translation>无法录制 %1 x %2 像素的帧</translation>
    </message>
    <message>
        <source>frames of %1-bit samples with %2 channels cannot be recorded</source>
        <translation>无法录制 %1 位采样、%2 通道的帧</translation>
    </message>
    <message>
        <source>the recording was not set up</source>
        <translation>录制尚未准备好</translation>
    </message>
    <message>
        <source>no memory to convert the frame</source>
        <translation>内存不足，无法转换该帧</translation>
    </message>
</context>
<context>
    <name>VQtVideoX264</name>
    <message>
        <source>Failed to create video file %1: a recording is running</source>
        <translation>创建视频文件 %1 失败：正在录制</translation>
    </message>
    <message>
        <source>No frame could be written to %1; the recording stops</source>
        <translation>没有任何帧能写入 %1，录制停止</translation>
    </message>
    <message>
        <source>Failed to create video file %1: %2</source>
        <translation>创建视频文件 %1 失败：%2</translation>
    </message>
    <message>
        <source>a recording is running</source>
        <translation>正在录制</translation>
    </message>
    <message>
        <source>the disk holding it has only %1 KiB free</source>
        <translation>所在磁盘仅剩 %1 KiB 可用空间</translation>
    </message>
    <message>
        <source>Failed to create video file: %1</source>
        <translation>创建视频文件失败：%1</translation>
    </message>
    <message>
        <source>Recording %1 at %2 frames per second</source>
        <translation>正在以每秒 %2 帧录制 %1</translation>
    </message>
    <message>
        <source>Frames arrive faster than %1 per second: the frames in between are left out of %2</source>
        <translation>帧到达速度超过每秒 %1 帧：中间的帧不写入 %2</translation>
    </message>
    <message>
        <source>The encoder is falling behind: %1 frames wait to be recorded into %2</source>
        <translation>编码器跟不上：%1 帧正在等待写入 %2</translation>
    </message>
    <message>
        <source>A frame could not be recorded into %1: %2</source>
        <translation>有一帧无法录制到 %1：%2</translation>
    </message>
    <message>
        <source>Failed to encode a frame of %1: %2</source>
        <translation>编码 %1 的帧失败：%2</translation>
    </message>
    <message>
        <source>%1 holds %2 MiB, close to the largest file this disk or this program may write</source>
        <translation>%1 已有 %2 MiB，接近该磁盘或本程序允许的最大文件</translation>
    </message>
    <message>
        <source>No frame was recorded into %1, so the file was not made</source>
        <translation>%1 中没有录制任何帧，因此未创建该文件</translation>
    </message>
    <message>
        <source>%1 holds %2 frames</source>
        <translation>%1 共有 %2 帧</translation>
    </message>
    <message>
        <source>%1 frames were left out to keep %2 frames per second</source>
        <translation>为保持每秒 %2 帧，略去了 %1 帧</translation>
    </message>
    <message>
        <source>%1 frames could not be converted and are missing from %2</source>
        <translation>%1 帧无法转换，%2 中缺少这些帧</translation>
    </message>
</context>
<context>
    <name>VQtX264Encoder</name>
    <message>
        <source>a picture of %1 x %2 pixels cannot be encoded</source>
        <translation>无法编码 %1 x %2 像素的图像</translation>
    </message>
    <message>
        <source>the encoder does not know the preset %1</source>
        <translation>编码器不认识预设 %1</translation>
    </message>
    <message>
        <source>the encoder refused a picture of %1 x %2 pixels</source>
        <translation>编码器拒绝了 %1 x %2 像素的图像</translation>
    </message>
    <message>
        <source>the encoder refused: %1</source>
        <translation>编码器拒绝：%1</translation>
    </message>
    <message>
        <source>the encoder failed on frame %1</source>
        <translation>编码器在第 %1 帧失败</translation>
    </message>
    <message>
        <source>the encoder failed on frame %1: %2</source>
        <translation>编码器在第 %1 帧失败：%2</translation>
    </message>
    <message>
        <source>the encoder is not open</source>
        <translation>编码器未打开</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Font load failed, program exits!</source>
        <translation>字体加载失败，程序退出！</translation>
    </message>
</context>
</TS>
