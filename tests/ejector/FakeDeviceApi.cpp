#include "FakeDeviceApi.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

const GUID DiskClass = {
    0x53F56307, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};
const GUID CdRomClass = {
    0x53F56308, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};
const GUID FloppyClass = {
    0x53F56311, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};

namespace {

// The storage device-number request, written out rather than taken from winioctl.h.
constexpr DWORD GetDeviceNumberCode = 0x2D1080;
constexpr DWORD DeviceNumberSize = 12;

DWORD TrueDetailSize(const FakeDeviceApi::Interface& entry)
{
    return static_cast<DWORD>(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) +
                              entry.devicePath.size() + 1);
}

} // namespace

FakeDeviceApi::Drive& FakeDeviceApi::AddRemovableDisk(char letter, LONG deviceNumber,
                                                      DEVINST devInst, DEVINST parent)
{
    Drive& drive = drives[letter];
    drive.type = DRIVE_REMOVABLE;
    drive.deviceNumber = deviceNumber;
    drive.dosDeviceName = "\\Device\\Harddisk" + std::to_string(deviceNumber) + "\\DR" +
                          std::to_string(deviceNumber);
    drive.removedWith = parent;
    disks.emplace_back("\\\\?\\usbstor#disk&ven_fake#" + std::to_string(devInst) +
                           "#{53f56307-b6bf-11d0-94f2-00a0c91efb8b}",
                       deviceNumber, devInst);
    parents[devInst] = parent;
    return drive;
}

std::vector<std::string> FakeDeviceApi::CallsStartingWith(const std::string& prefix) const
{
    std::vector<std::string> result;
    for (const std::string& call : calls) {
        if (call.compare(0, prefix.size(), prefix) == 0) {
            result.push_back(call);
        }
    }
    return result;
}

UINT FakeDeviceApi::GetDriveTypeA(LPCSTR rootPath)
{
    calls.push_back(std::string("GetDriveType ") + rootPath);
    const std::string root = rootPath;
    EXPECT_TRUE(root.size() == 2 || (root.size() == 3 && root[2] == '\\')) << root;
    EXPECT_EQ(root[1], ':');
    const auto drive = drives.find(root[0]);
    return drive == drives.end() ? DRIVE_NO_ROOT_DIR : drive->second.type;
}

HANDLE FakeDeviceApi::CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode,
                                  LPSECURITY_ATTRIBUTES security, DWORD creation, DWORD flags,
                                  HANDLE templateFile)
{
    const std::string path = fileName;
    calls.push_back("CreateFile " + path);
    EXPECT_EQ(access, 0u);
    EXPECT_EQ(shareMode, static_cast<DWORD>(FILE_SHARE_READ | FILE_SHARE_WRITE));
    EXPECT_EQ(security, nullptr);
    EXPECT_EQ(creation, static_cast<DWORD>(OPEN_EXISTING));
    EXPECT_EQ(flags, 0u);
    EXPECT_EQ(templateFile, nullptr);

    std::optional<OpenFile> target;
    if (path.size() == 6 && path.compare(0, 4, "\\\\.\\") == 0 && path[5] == ':') {
        const auto drive = drives.find(path[4]);
        if (drive != drives.end() && drive->second.volumeOpens) {
            target = OpenFile{path, drive->second.numberKnown, drive->second.deviceNumber};
        }
    } else {
        for (const auto* list : {&disks, &floppies, &cdroms}) {
            for (const Interface& entry : *list) {
                if (entry.devicePath == path && entry.opens) {
                    target = OpenFile{path, entry.numberKnown, entry.deviceNumber};
                }
            }
        }
    }
    if (!target) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    nextHandle_ += 4;
    const auto handle = reinterpret_cast<HANDLE>(nextHandle_);
    openHandles_.emplace(handle, *target);
    return handle;
}

BOOL FakeDeviceApi::DeviceIoControl(HANDLE device, DWORD controlCode, LPVOID inBuffer,
                                    DWORD inSize, LPVOID outBuffer, DWORD outSize,
                                    LPDWORD bytesReturned, LPOVERLAPPED overlapped)
{
    const auto file = openHandles_.find(device);
    if (file == openHandles_.end()) {
        ADD_FAILURE() << "device request on a handle that is not open";
        return FALSE;
    }
    calls.push_back("DeviceNumber " + file->second.path);
    EXPECT_EQ(controlCode, GetDeviceNumberCode);
    EXPECT_EQ(inBuffer, nullptr);
    EXPECT_EQ(inSize, 0u);
    EXPECT_EQ(outSize, DeviceNumberSize);
    EXPECT_NE(outBuffer, nullptr);
    EXPECT_EQ(overlapped, nullptr);
    if (!file->second.numberKnown || outBuffer == nullptr || outSize < DeviceNumberSize) {
        SetLastError(ERROR_INVALID_FUNCTION);
        return FALSE;
    }
    // Device type (disk), device number, partition number.
    const DWORD answer[3] = {7, static_cast<DWORD>(file->second.deviceNumber), 1};
    std::memcpy(outBuffer, answer, sizeof answer);
    if (bytesReturned) {
        *bytesReturned = sizeof answer;
    }
    return TRUE;
}

BOOL FakeDeviceApi::CloseHandle(HANDLE handle)
{
    const auto file = openHandles_.find(handle);
    if (file == openHandles_.end()) {
        ADD_FAILURE() << "closing a handle that is not open";
        return FALSE;
    }
    calls.push_back("Close " + file->second.path);
    openHandles_.erase(file);
    return TRUE;
}

DWORD FakeDeviceApi::QueryDosDeviceA(LPCSTR deviceName, LPSTR targetPath, DWORD maxChars)
{
    const std::string name = deviceName;
    calls.push_back("QueryDosDevice " + name);
    EXPECT_EQ(name.size(), 2u);
    EXPECT_EQ(maxChars, static_cast<DWORD>(MAX_PATH));
    const auto drive = drives.find(name[0]);
    if (drive == drives.end() || !drive->second.dosDeviceName ||
        drive->second.dosDeviceName->size() + 2 > maxChars) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    const std::string& target = *drive->second.dosDeviceName;
    std::memcpy(targetPath, target.c_str(), target.size() + 1);
    targetPath[target.size() + 1] = '\0'; // the list of names ends with a second zero
    return static_cast<DWORD>(target.size() + 2);
}

HDEVINFO FakeDeviceApi::SetupDiGetClassDevsA(const GUID* classGuid, PCSTR enumerator,
                                             HWND parent, DWORD flags)
{
    OpenList list{};
    if (classGuid && IsEqualGUID(*classGuid, DiskClass)) {
        list = {"disk", &disks};
    } else if (classGuid && IsEqualGUID(*classGuid, FloppyClass)) {
        list = {"floppy", &floppies};
    } else if (classGuid && IsEqualGUID(*classGuid, CdRomClass)) {
        list = {"cdrom", &cdroms};
    } else {
        ADD_FAILURE() << "an interface class that is not disk, floppy or CD-ROM";
        return INVALID_HANDLE_VALUE;
    }
    calls.push_back("ClassDevs " + list.className);
    EXPECT_EQ(enumerator, nullptr);
    EXPECT_EQ(parent, nullptr);
    EXPECT_EQ(flags, static_cast<DWORD>(0x12)); // present devices, by interface
    if (classListFails) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    nextHandle_ += 4;
    const auto handle = reinterpret_cast<HDEVINFO>(nextHandle_);
    openLists_.emplace(handle, list);
    ++listsCreated_;
    return handle;
}

BOOL FakeDeviceApi::SetupDiEnumDeviceInterfaces(HDEVINFO list, PSP_DEVINFO_DATA deviceData,
                                                const GUID* classGuid, DWORD index,
                                                PSP_DEVICE_INTERFACE_DATA interfaceData)
{
    const auto open = openLists_.find(list);
    if (open == openLists_.end()) {
        ADD_FAILURE() << "enumerating a list that is not open";
        return FALSE;
    }
    calls.push_back("EnumInterface " + std::to_string(index));
    EXPECT_EQ(deviceData, nullptr);
    EXPECT_TRUE(classGuid && IsEqualGUID(*classGuid,
                                          open->second.className == "disk"     ? DiskClass
                                          : open->second.className == "floppy" ? FloppyClass
                                                                               : CdRomClass));
    EXPECT_EQ(interfaceData->cbSize, sizeof(SP_DEVICE_INTERFACE_DATA));
    if (index >= open->second.interfaces->size()) {
        SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    interfaceData->InterfaceClassGuid = *classGuid;
    interfaceData->Flags = SPINT_ACTIVE;
    interfaceData->Reserved = index + 1;
    return TRUE;
}

const FakeDeviceApi::Interface* FakeDeviceApi::InterfaceOf(HDEVINFO list,
                                                           const SP_DEVICE_INTERFACE_DATA* data)
{
    const auto open = openLists_.find(list);
    if (open == openLists_.end() || data == nullptr || data->Reserved == 0 ||
        data->Reserved > open->second.interfaces->size()) {
        ADD_FAILURE() << "interface data that the list did not give";
        return nullptr;
    }
    return &(*open->second.interfaces)[data->Reserved - 1];
}

BOOL FakeDeviceApi::SetupDiGetDeviceInterfaceDetailA(HDEVINFO list,
                                                     PSP_DEVICE_INTERFACE_DATA interfaceData,
                                                     PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                                     DWORD detailSize, PDWORD requiredSize,
                                                     PSP_DEVINFO_DATA deviceData)
{
    const Interface* entry = InterfaceOf(list, interfaceData);
    if (!entry) {
        return FALSE;
    }
    const std::string index = std::to_string(interfaceData->Reserved - 1);
    const DWORD reported = entry->reportedSize.value_or(TrueDetailSize(*entry));
    if (detail == nullptr) {
        calls.push_back("Detail " + index + " size");
        EXPECT_EQ(detailSize, 0u);
        EXPECT_EQ(deviceData, nullptr);
        if (requiredSize) {
            *requiredSize = reported;
        }
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    calls.push_back("Detail " + index);
    EXPECT_EQ(detail->cbSize, sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A));
    EXPECT_EQ(detailSize, reported);
    EXPECT_TRUE(deviceData && deviceData->cbSize == sizeof(SP_DEVINFO_DATA));
    if (entry->detailFails || detailSize < TrueDetailSize(*entry) || !deviceData) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(detail->DevicePath, entry->devicePath.c_str(), entry->devicePath.size() + 1);
    deviceData->ClassGuid = interfaceData->InterfaceClassGuid;
    deviceData->DevInst = entry->devInst;
    return TRUE;
}

BOOL FakeDeviceApi::SetupDiDestroyDeviceInfoList(HDEVINFO list)
{
    const auto open = openLists_.find(list);
    if (open == openLists_.end()) {
        ADD_FAILURE() << "destroying a list that is not open";
        return FALSE;
    }
    calls.push_back("Destroy " + open->second.className);
    openLists_.erase(open);
    return TRUE;
}

CONFIGRET FakeDeviceApi::CM_Get_Parent(PDEVINST parent, DEVINST device, ULONG flags)
{
    calls.push_back("GetParent " + std::to_string(device));
    EXPECT_EQ(flags, 0u);
    const auto found = parents.find(device);
    if (found == parents.end()) {
        return CR_NO_SUCH_DEVNODE;
    }
    *parent = found->second;
    return CR_SUCCESS;
}

CONFIGRET FakeDeviceApi::CM_Request_Device_EjectW(DEVINST device, PPNP_VETO_TYPE vetoType,
                                                  LPWSTR vetoName, ULONG nameLength, ULONG flags)
{
    calls.push_back("Eject " + std::to_string(device));
    EXPECT_NE(vetoType, nullptr);
    EXPECT_EQ(vetoName, nullptr);
    EXPECT_EQ(nameLength, 0u);
    EXPECT_EQ(flags, 0u);
    EjectAnswer answer;
    auto& script = ejectAnswers[device];
    if (!script.empty()) {
        answer = script.front();
        script.pop_front();
    }
    if (answer.veto && vetoType) {
        *vetoType = *answer.veto;
    }
    if (answer.result == CR_SUCCESS && answer.veto.value_or(PNP_VetoTypeUnknown) == 0) {
        for (auto& [letter, drive] : drives) {
            if (drive.removedWith == device) {
                drive.volumeOpens = false;
            }
        }
    }
    return answer.result;
}

void FakeDeviceApi::Sleep(DWORD milliseconds)
{
    calls.push_back("Sleep " + std::to_string(milliseconds));
}
