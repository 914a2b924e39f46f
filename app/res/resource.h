// Resource ids of the launcher, shared by its code and its resource script.
#pragma once

#define IDR_MAINFRAME 128           // program icon
#define IDS_ABOUTBOX 101            // system-menu item text
#define IDM_ABOUTBOX 0x0010         // system-menu command of that item

#define IDD_ABOUTBOX 100
#define IDC_ABOUT_ICON 1020
#define IDC_ABOUT_VERSION 1021
#define IDC_ABOUT_COPYRIGHT 1022

// Main dialog: the Project page, the Proxy Server page, and what both show.
#define IDD_LAUNCHER_DIALOG 102
#define IDC_URL_LABEL 1015
#define IDC_URL 1001
#define IDC_BROWSE 1002
#define IDC_OPEN 1004
#define IDC_USE_PROXY 1005
#define IDC_ADDRESS_LABEL 1013
#define IDC_PROXY_ADDRESS 1006
#define IDC_PORT_LABEL 1014
#define IDC_PROXY_PORT 1008
#define IDC_BYPASS_LOCAL 1009
#define IDC_APPLY 1016
#define IDC_WEBSITE 1000
#define IDC_DELETE_CACHES 1010
#define IDC_PROJECT_PAGE 1011
#define IDC_PROXY_PAGE 1012

// Progress dialog.
#define IDD_DOWN_DIALOG 103
#define IDC_STATUS 1018
#define IDC_PROGRESS 1017
#define IDC_START 1019
