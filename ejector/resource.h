#pragma once

#define IDS_APP_TITLE 103
#define IDC_EJECTOII 109
