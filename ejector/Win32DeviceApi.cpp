#include "Win32DeviceApi.h"

UINT Win32DeviceApi::GetDriveTypeA(LPCSTR rootPath)
{
    return ::GetDriveTypeA(rootPath);
}

HANDLE Win32DeviceApi::CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode,
                                   LPSECURITY_ATTRIBUTES security, DWORD creation, DWORD flags,
                                   HANDLE templateFile)
{
    return ::CreateFileA(fileName, access, shareMode, security, creation, flags, templateFile);
}

BOOL Win32DeviceApi::DeviceIoControl(HANDLE device, DWORD controlCode, LPVOID inBuffer,
                                     DWORD inSize, LPVOID outBuffer, DWORD outSize,
                                     LPDWORD bytesReturned, LPOVERLAPPED overlapped)
{
    return ::DeviceIoControl(device, controlCode, inBuffer, inSize, outBuffer, outSize,
                             bytesReturned, overlapped);
}

BOOL Win32DeviceApi::CloseHandle(HANDLE handle)
{
    return ::CloseHandle(handle);
}

DWORD Win32DeviceApi::QueryDosDeviceA(LPCSTR deviceName, LPSTR targetPath, DWORD maxChars)
{
    return ::QueryDosDeviceA(deviceName, targetPath, maxChars);
}

HDEVINFO Win32DeviceApi::SetupDiGetClassDevsA(const GUID* classGuid, PCSTR enumerator,
                                              HWND parent, DWORD flags)
{
    return ::SetupDiGetClassDevsA(classGuid, enumerator, parent, flags);
}

BOOL Win32DeviceApi::SetupDiEnumDeviceInterfaces(HDEVINFO list, PSP_DEVINFO_DATA deviceData,
                                                 const GUID* classGuid, DWORD index,
                                                 PSP_DEVICE_INTERFACE_DATA interfaceData)
{
    return ::SetupDiEnumDeviceInterfaces(list, deviceData, classGuid, index, interfaceData);
}

BOOL Win32DeviceApi::SetupDiGetDeviceInterfaceDetailA(HDEVINFO list,
                                                      PSP_DEVICE_INTERFACE_DATA interfaceData,
                                                      PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                                      DWORD detailSize, PDWORD requiredSize,
                                                      PSP_DEVINFO_DATA deviceData)
{
    return ::SetupDiGetDeviceInterfaceDetailA(list, interfaceData, detail, detailSize,
                                              requiredSize, deviceData);
}

BOOL Win32DeviceApi::SetupDiDestroyDeviceInfoList(HDEVINFO list)
{
    return ::SetupDiDestroyDeviceInfoList(list);
}

CONFIGRET Win32DeviceApi::CM_Get_Parent(PDEVINST parent, DEVINST device, ULONG flags)
{
    return ::CM_Get_Parent(parent, device, flags);
}

CONFIGRET Win32DeviceApi::CM_Request_Device_EjectW(DEVINST device, PPNP_VETO_TYPE vetoType,
                                                   LPWSTR vetoName, ULONG nameLength, ULONG flags)
{
    return ::CM_Request_Device_EjectW(device, vetoType, vetoName, nameLength, flags);
}

void Win32DeviceApi::Sleep(DWORD milliseconds)
{
    ::Sleep(milliseconds);
}
