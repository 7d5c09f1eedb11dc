#pragma once

#include <windows.h>

#include <cfgmgr32.h>
#include <setupapi.h>

// The drive, device-installation and Plug and Play calls of the drive ejector. The ejector talks
// to the system only through this seam, so that its scan, matching and retry logic can run
// against a scripted device layer. Every operation has the signature of the Windows function of
// the same name.
class DeviceApi {
public:
    DeviceApi() = default;
    DeviceApi(const DeviceApi&) = delete;
    DeviceApi& operator=(const DeviceApi&) = delete;
    virtual ~DeviceApi() = default;

    virtual UINT GetDriveTypeA(LPCSTR rootPath) = 0;
    virtual HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode,
                               LPSECURITY_ATTRIBUTES security, DWORD creation, DWORD flags,
                               HANDLE templateFile) = 0;
    virtual BOOL DeviceIoControl(HANDLE device, DWORD controlCode, LPVOID inBuffer, DWORD inSize,
                                 LPVOID outBuffer, DWORD outSize, LPDWORD bytesReturned,
                                 LPOVERLAPPED overlapped) = 0;
    virtual BOOL CloseHandle(HANDLE handle) = 0;
    virtual DWORD QueryDosDeviceA(LPCSTR deviceName, LPSTR targetPath, DWORD maxChars) = 0;

    virtual HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, PCSTR enumerator, HWND parent,
                                          DWORD flags) = 0;
    virtual BOOL SetupDiEnumDeviceInterfaces(HDEVINFO list, PSP_DEVINFO_DATA deviceData,
                                             const GUID* classGuid, DWORD index,
                                             PSP_DEVICE_INTERFACE_DATA interfaceData) = 0;
    virtual BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO list,
                                                  PSP_DEVICE_INTERFACE_DATA interfaceData,
                                                  PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                                  DWORD detailSize, PDWORD requiredSize,
                                                  PSP_DEVINFO_DATA deviceData) = 0;
    virtual BOOL SetupDiDestroyDeviceInfoList(HDEVINFO list) = 0;

    virtual CONFIGRET CM_Get_Parent(PDEVINST parent, DEVINST device, ULONG flags) = 0;
    virtual CONFIGRET CM_Request_Device_EjectW(DEVINST device, PPNP_VETO_TYPE vetoType,
                                               LPWSTR vetoName, ULONG nameLength,
                                               ULONG flags) = 0;

    virtual void Sleep(DWORD milliseconds) = 0;
};
