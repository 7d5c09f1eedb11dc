#pragma once

#include "DeviceApi.h"

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A scripted device layer: drive letters with their volumes, device-interface lists per class,
// the device tree and the answers of the eject requests. It records every call as one line of
// text, checks the arguments the ejector must pass, and tracks open handles and lists.
class FakeDeviceApi final : public DeviceApi {
public:
    struct Drive {
        UINT type = DRIVE_NO_ROOT_DIR;
        bool volumeOpens = true;
        bool numberKnown = true;
        LONG deviceNumber = 0;
        std::optional<std::string> dosDeviceName; // none: QueryDosDeviceA fails
        DEVINST removedWith = 0;                  // ejecting this device removes the volume
    };

    struct Interface {
        Interface(std::string path, LONG number, DEVINST instance)
            : devicePath(std::move(path)), deviceNumber(number), devInst(instance)
        {
        }

        std::string devicePath;
        LONG deviceNumber = 0;
        DEVINST devInst = 0;
        std::optional<DWORD> reportedSize; // none: the true size of the detail record
        bool detailFails = false;
        bool opens = true;
        bool numberKnown = true;
    };

    struct EjectAnswer {
        CONFIGRET result = CR_SUCCESS;
        std::optional<PNP_VETO_TYPE> veto; // written only when set
    };

    std::map<char, Drive> drives;
    std::vector<Interface> disks;
    std::vector<Interface> floppies;
    std::vector<Interface> cdroms;
    std::map<DEVINST, DEVINST> parents;
    std::map<DEVINST, std::deque<EjectAnswer>> ejectAnswers; // default: success
    bool classListFails = false;

    std::vector<std::string> calls;

    // A removable USB-style disk: drive, disk interface, and its parent in the device tree.
    Drive& AddRemovableDisk(char letter, LONG deviceNumber, DEVINST devInst, DEVINST parent);

    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
    size_t OpenHandleCount() const { return openHandles_.size(); }
    size_t OpenListCount() const { return openLists_.size(); }
    int ListsCreated() const { return listsCreated_; }

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

private:
    struct OpenFile {
        std::string path;
        bool numberKnown;
        LONG deviceNumber;
    };
    struct OpenList {
        std::string className;
        const std::vector<Interface>* interfaces;
    };

    const Interface* InterfaceOf(HDEVINFO list, const SP_DEVICE_INTERFACE_DATA* data);

    std::map<HANDLE, OpenFile> openHandles_;
    std::map<HDEVINFO, OpenList> openLists_;
    uintptr_t nextHandle_ = 0x100;
    int listsCreated_ = 0;
};

// The standard device-interface classes, written out here independently of the ejector.
extern const GUID DiskClass;
extern const GUID CdRomClass;
extern const GUID FloppyClass;
