// SPDX-License-Identifier: MIT
#pragma once
// The Windows sources of the identification records. Every query opens what it needs and closes
// every handle, view and module before it returns, on every path; a missing or refused source
// answers false at once. SystemProbe() on Windows is a RecordProbe over these sources.
//
//   SmartIdentify      \\.\PhysicalDrive0 opened for reading and writing (administrators only):
//                      SMART get-version, then read-drive-data with IDENTIFY 0xEC, drive-head 0xA0.
//   MiniportIdentify   \\.\Scsi<port>: with the "SCSIDISK" signature, drive-head 0xA0 or 0xB0.
//   StorageDescriptor  IOCTL_STORAGE_QUERY_PROPERTY (StorageDeviceProperty) of physical drive 0,
//                      opened with no access rights, which every user may do.
//   PhysicalMemory     ZwOpenSection and ZwMapViewOfSection of \Device\PhysicalMemory from
//                      ntdll.dll; refused to programs since Windows Server 2003 SP1.
//   FirmwareTable...   EnumSystemFirmwareTables and GetSystemFirmwareTable.

#include "lunacal/hardware_records.h"

namespace lunacal {

const RecordSource& WindowsRecordSource();

}  // namespace lunacal
