#pragma once

#include "DeviceApi.h"

// The device layer of the running system.
class Win32DeviceApi final : public DeviceApi {
public:
    UINT GetDriveTypeA(LPCSTR rootPath) override;
    HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode,
                       LPSECURITY_ATTRIBUTES security, DWORD creation, DWORD flags,
                       HANDLE templateFile) override;
    BOOL DeviceIoControl(HANDLE device, DWORD controlCode, LPVOID inBuffer, DWORD inSize,
                         LPVOID outBuffer, DWORD outSize, LPDWORD bytesReturned,
                         LPOVERLAPPED overlapped) override;
    BOOL CloseHandle(HANDLE handle) override;
    DWORD QueryDosDeviceA(LPCSTR deviceName, LPSTR targetPath, DWORD maxChars) override;

    HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, PCSTR enumerator, HWND parent,
                                  DWORD flags) override;
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO list, PSP_DEVINFO_DATA deviceData,
                                     const GUID* classGuid, DWORD index,
                                     PSP_DEVICE_INTERFACE_DATA interfaceData) override;
    BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO list, PSP_DEVICE_INTERFACE_DATA interfaceData,
                                          PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                          DWORD detailSize, PDWORD requiredSize,
                                          PSP_DEVINFO_DATA deviceData) override;
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO list) override;

    CONFIGRET CM_Get_Parent(PDEVINST parent, DEVINST device, ULONG flags) override;
    CONFIGRET CM_Request_Device_EjectW(DEVINST device, PPNP_VETO_TYPE vetoType, LPWSTR vetoName,
                                       ULONG nameLength, ULONG flags) override;

    void Sleep(DWORD milliseconds) override;
};
