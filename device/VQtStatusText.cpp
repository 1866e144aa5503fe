#include "device/VQtStatusText.h"

#include <QMutex>
#include <atomic>

#include "core/VQtSystemParam.h"
#include "device/OxaApi.h"

namespace {

QHash<int, QString> hashVionBoardEnglish;
QHash<int, QString> hashVionBoardChinese;
QHash<int, QString> hashVionCModule;
QHash<int, QString> hashVionCId;
std::atomic<bool> bVionBoardInit{false};
std::atomic<bool> bVionCInit{false};
QMutex g_initLock;

struct BoardRow {
    int code;
    const char* english;
    const char* chinese;
};

const BoardRow kBoardRows[] = {
    {2, "Board Not Found", "未找到采集卡"},
    {3, "Alloc Memory Fail", "申请内存失败"},
    {4, "Invalid Parameter", "无效参数"},
    {5, "Open Board Fail", "打开采集卡失败"},
    {6, "Time Out", "超时"},
    {7, "System Error", "系统错误"},
    {8, "Board Not Open", "采集卡未打开"},
    {9, "Config File Path Invalid", "配置文件路径无效"},
    {10, "Config Parameter Invalid", "配置参数无效"},
    {11, "ZLP", "USB3.0零长度包"},
    {12, "Thread Unsetup", "线程未建立"},
    {13, "Thread Exist", "线程已存在"},
    {14, "Camera Unsupport", "不支持该相机"},
    {15, "XML File Load Fail", "XML文件加载失败"},
    {16, "Node Not Exist", "节点不存在"},
    {17, "Write Serial Fail", "写串口失败"},
    {18, "Command Not Exist", "命令不存在"},
    {19, "Command Collision", "命令冲突"},
    {20, "Command Miss Requirement", "命令缺少必要条件"},
    {21, "Command Not Allow", "命令不允许执行"},
    {22, "Command Syntax Error", "命令语法错误"},
    {23, "Node Type Dismatch", "节点类型不匹配"},
    {24, "Feature UnSupport", "不支持该特征"},
    {25, "Command Result No Exit", "命令结果未退出"},
    {26, "CLReg Path Not Found", "未找到CL注册表路径"},
    {27, "CLDLL Not Found", "未找到CL动态库"},
    {28, "Camera Not Found", "未找到相机"},
    {29, "Buffer Too Small", "缓冲区太小"},
    {30, "Baud Rate Not Support", "不支持该波特率"},
    {31, "Camera In Use", "相机正在使用"},
    {32, "FPGA Erase Flash Fail", "FPGA擦除Flash失败"},
    {33, "FPGA Check Fail", "FPGA校验失败"},
    {34, "Board Not Binding COM", "采集卡未绑定串口"},
    {35, "Read Reg Fail", "读寄存器失败"},
    {36, "Invalid Mutex", "无效的互斥锁"},
    {37, "Mutex Locked", "互斥锁已锁定"},
    {38, "Invalid Handle", "无效的句柄"},
    {39, "Set Info Error", "设置参数错误"},
    {40, "Grab Pending", "采集挂起"},
    {41, "Insufficient Resource", "资源不足"},
    {42, "Grab Abort", "采集中止"},
    {43, "Need Reboot ", "需要重启计算机"},
    {44, "Need Restart", "需要重启采集卡"},
    {45, "Not Implement", "未实现"},
    {46, "Not In Callback", "不在回调中"},
    {47, "Not Match Driver Version", "驱动版本不匹配"},
    {48, "Prm Not Available", "参数无效"},
    {49, "Prm Locked", "参数已锁定"},
    {50, "Login Error", "逻辑错误"},
};

const char* const kModules[] = {"设备模块", "缓冲区模块",   "日志模块", "管理模块", "数据流模块", "参数模块",
                                "端口模块", "事件信息模块", "特征模块", "视图模块", "采集卡模块", "文件模块"};

struct IdRow {
    int id;
    const char* text;
};

const IdRow kIds[] = {
    {0x01, "无效的句柄"},
    {0x02, "系统资源不足"},
    {0x03, "输入缓冲区太小"},
    {0x04, "系统资源缺失"},
    {0x05, "未初始化运行环境"},
    {0x06, "设备索引越界"},
    {0x07, "当前端口不可用"},
    {0x08, "设备xml描述文件丢失"},
    {0x09, "设备无法访问"},
    {0x0A, "设备拒绝访问"},
    {0x0B, "找不到软件注册表"},
    {0x0C, "xml文件无法解析"},
    {0x0D, "无效的输入参数"},
    {0x0E, "无效的特征名称"},
    {0x0F, "特征与函数类型不匹配"},
    {0x10, "操作超时"},
    {0x11, "设备命令冲突"},
    {0x12, "设备命令参数越界"},
    {0x13, "当前状态下不运行执行该命令"},
    {0x14, "设备命令无法解析"},
    {0x15, "执行命令被挂起"},
    {0x16, "输入参数越界"},
    {0x17, "参数尚未实现"},
    {0x18, "系统内存不足"},
    {0x19, "参数不匹配"},
    {0x1A, "数据流正在传输"},
    {0x1B, "参数只支持读操作"},
    {0x1C, "数据流已经被打开"},
    {0x1D, "系统错误"},
    {0x1E, "寄存器地址无效"},
    {0x1F, "参数边界不适配"},
    {0x20, "设备正忙，无法响应命令"},
    {0x21, "设备被移除"},
    {0x22, "未找到设备"},
    {0x23, "采集卡已经打开，不允许重复打开"},
    {0x24, "设备未打开"},
    {0x25, "参数只支持写操作"},
    {0x26, "采集卡与相机连接断开"},
    {0x27, "运行时错误"},
    {0x28, "IO错误"},
    {0x29, "缓冲区溢出"},
    {0x30, "通讯错误"},
    {0x31, "CXP控制CRC错误"},
    {0x32, "ACK id不兼容"},
    {0x33, "命令头部无效"},
    {0x34, "设备流接口的端点已停止"},
    {0x35, "设备事件接口的端点已停止"},
    {0x36, "当前块发生数据丢弃"},
    {0x37, "设备无法发送所有数据"},
    {0x38, "数据流被中止"},
    {0x39, "驱动不匹配"},
    {0x40, "设备USB端口接入错误"},
    {0x41, "设备存在某种故障"},
    {0x42, "CXP拓扑结构连接错误"},
};

bool english() {
    return g_nDevLanguage == 1;
}

} // namespace

void initVionBoardErrorCode() {
    if (bVionBoardInit.load(std::memory_order_acquire))
        return;
    QMutexLocker lock(&g_initLock);
    if (bVionBoardInit.load(std::memory_order_relaxed))
        return;
    for (const BoardRow& r : kBoardRows) {
        hashVionBoardEnglish.insert(r.code, QString::fromUtf8(r.english));
        hashVionBoardChinese.insert(r.code, QString::fromUtf8(r.chinese));
    }
    bVionBoardInit.store(true, std::memory_order_release);
}

void initVionCErrorCode() {
    if (bVionCInit.load(std::memory_order_acquire))
        return;
    QMutexLocker lock(&g_initLock);
    if (bVionCInit.load(std::memory_order_relaxed))
        return;
    for (int m = 0; m < 12; ++m)
        hashVionCModule.insert(m + 1, QString::fromUtf8(kModules[m]));
    for (const IdRow& r : kIds)
        hashVionCId.insert(r.id, QString::fromUtf8(r.text));
    bVionCInit.store(true, std::memory_order_release);
}

QString getAcqErrorCode(int code) {
    initVionBoardErrorCode();
    if (code == 1)
        return QString();
    if (english())
        return QStringLiteral("Board Module Error: ") +
               hashVionBoardEnglish.value(code, QStringLiteral("Unknown Error"));
    return QStringLiteral("采集卡模块错误: ") + hashVionBoardChinese.value(code, QStringLiteral("未知错误"));
}

QString getRemoteErrorCode(unsigned int status) {
    initVionCErrorCode();
    if (status == 0)
        return QString();
    if (english()) {
        char first[256] = {0}, second[256] = {0}, third[256] = {0};
        uint32_t s1 = sizeof(first), s2 = sizeof(second), s3 = sizeof(third);
        if (OxaManGetStatusText(status, first, &s1, second, &s2, third, &s3) != OXA_STATUS_SUCCESS)
            return QString();
        return QString::fromUtf8(third) + QStringLiteral(" : ") + QString::fromUtf8(first);
    }
    const int module = int((status >> 20) & 15u);
    const int id = int(status & 0xFFFFu);
    if (!hashVionCModule.contains(module) || !hashVionCId.contains(id))
        return QStringLiteral("未知错误");
    return hashVionCModule.value(module) + QStringLiteral(":") + hashVionCId.value(id);
}

const QHash<int, QString>& vionBoardEnglishTable() {
    initVionBoardErrorCode();
    return hashVionBoardEnglish;
}

const QHash<int, QString>& vionBoardChineseTable() {
    initVionBoardErrorCode();
    return hashVionBoardChinese;
}

const QHash<int, QString>& vionCModuleTable() {
    initVionCErrorCode();
    return hashVionCModule;
}

const QHash<int, QString>& vionCIdTable() {
    initVionCErrorCode();
    return hashVionCId;
}
