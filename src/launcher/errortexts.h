// Texts of the final error box, shared by the install run and the provisioning.
#pragma once

inline constexpr const char* DiskSpaceText =
    "Are the destination or temporary directories out of disk space?\r\r    See errors.log for other possible causes.";
inline constexpr const char* OtherCausesText =
    "Other possible causes for errors:\n"
    "    * Read/write access rights to the 'temp' and installation directories?\n"
    "    * OS need to be patched to run Java apps?\n"
    "    * Anti-virus software installed that won't permit unknonwn executable or JAR files to run?\n"
    "    * Does your system export the display?";
inline constexpr const char* WizardText =
    "Unable to start the install wizard.\r\rIs there a \"java\" command in the path that doesn't start the "
    "JRE?\r\rIf there is, remove it and try the installer again.";
inline constexpr const char* DamagedPackageText =
    "The installation package is damaged.\r\rPlease download it again and restart this installation program.";
