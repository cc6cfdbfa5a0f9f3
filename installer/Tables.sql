-- What wixl cannot write into the package; scripts/package runs each statement (one a line)
-- through msibuild -q after wixl.

-- The machine settings key in each view, created without values. "*" creates it on install and
-- deletes it on uninstall with the values the DLL wrote there; its parents go when left empty.
INSERT INTO `Registry` (`Registry`, `Root`, `Key`, `Name`, `Component_`) VALUES ('MachineSettings64', 2, 'SOFTWARE\Vexmoor Software\Tessaly\3.10.000', '*', 'Tessaly64')
INSERT INTO `Registry` (`Registry`, `Root`, `Key`, `Name`, `Component_`) VALUES ('MachineSettings32', 2, 'SOFTWARE\Vexmoor Software\Tessaly\3.10.000', '*', 'Tessaly32')

-- Users get what saving the settings needs, no more: KEY_READ | KEY_SET_VALUE |
-- KEY_CREATE_SUB_KEY (0x2001F = 131103), not the right to change the key's permissions or
-- owner or to delete it; the DLL asks for no more (it opens the key for one query or one set).
-- These rows replace the key's whole ACL; administrators keep full control (0xF003F = 983103).
-- Only "Everyone" and "Administrators" are names that Windows Installer maps to well-known SIDs
-- on every language of Windows (a name such as "Users" is looked up translated, and the install
-- would fail elsewhere); LocalSystem gets full control of every object it secures without a row.
CREATE TABLE `LockPermissions` (`LockObject` CHAR(72) NOT NULL, `Table` CHAR(32) NOT NULL, `Domain` CHAR(255), `User` CHAR(255) NOT NULL, `Permission` LONG PRIMARY KEY `LockObject`, `Table`, `Domain`, `User`)
INSERT INTO `LockPermissions` (`LockObject`, `Table`, `User`, `Permission`) VALUES ('MachineSettings64', 'Registry', 'Everyone', 131103)
INSERT INTO `LockPermissions` (`LockObject`, `Table`, `User`, `Permission`) VALUES ('MachineSettings64', 'Registry', 'Administrators', 983103)
INSERT INTO `LockPermissions` (`LockObject`, `Table`, `User`, `Permission`) VALUES ('MachineSettings32', 'Registry', 'Everyone', 131103)
INSERT INTO `LockPermissions` (`LockObject`, `Table`, `User`, `Permission`) VALUES ('MachineSettings32', 'Registry', 'Administrators', 983103)

-- wixl writes no component conditions: each Saved* component writes a saved choice back only
-- when the search found one (a search that finds nothing leaves its property empty). A search
-- cannot tell an empty string from a missing value; the DLL saves the prefix together with the
-- three sizes, so the prefix is written back, empty if need be, whenever any of the four was
-- found.
UPDATE `Component` SET `Condition` = 'SAVEDSELECTEDSIZE64' WHERE `Component` = 'SavedSelectedSize64'
UPDATE `Component` SET `Condition` = 'SAVEDCUSTOMWIDTH64' WHERE `Component` = 'SavedCustomWidth64'
UPDATE `Component` SET `Condition` = 'SAVEDCUSTOMHEIGHT64' WHERE `Component` = 'SavedCustomHeight64'
UPDATE `Component` SET `Condition` = 'SAVEDPREFIX64 OR SAVEDSELECTEDSIZE64 OR SAVEDCUSTOMWIDTH64 OR SAVEDCUSTOMHEIGHT64' WHERE `Component` = 'SavedPrefix64'
UPDATE `Component` SET `Condition` = 'SAVEDSELECTEDSIZE32' WHERE `Component` = 'SavedSelectedSize32'
UPDATE `Component` SET `Condition` = 'SAVEDCUSTOMWIDTH32' WHERE `Component` = 'SavedCustomWidth32'
UPDATE `Component` SET `Condition` = 'SAVEDCUSTOMHEIGHT32' WHERE `Component` = 'SavedCustomHeight32'
UPDATE `Component` SET `Condition` = 'SAVEDPREFIX32 OR SAVEDSELECTEDSIZE32 OR SAVEDCUSTOMWIDTH32 OR SAVEDCUSTOMHEIGHT32' WHERE `Component` = 'SavedPrefix32'
