#pragma once

#include <QStringList>

namespace kesmond {

// Columns of a CSB022 row as the key-layout column list reads it.
enum KeyLayoutColumn {
    KL_SHEETTYPE,
    KL_SHEETNUMBER,
    KL_SHEETARRANGE,
    KL_SHEETSEQCODE,
    KL_CONTROLTYPE,
    KL_THEME,
    KL_CODE,
    KL_USECOORDINATE,
    KL_POSITIONX,
    KL_POSITIONY,
    KL_WIDTH,
    KL_HEIGHT,
    KL_LABEL,
    KL_FOREGROUNDCOLOR,
    KL_BACKGROUNDCOLOR,
    KL_OPTIONCOLOR,
    KL_IMAGEFLAG,
    KL_BGIMGCONTROLTYPE,
    KL_BGIMGCODE,
    KL_FONTSIZE,
    KL_REMARKS,
    KL_CREATEDATETIME,
    KL_UPDATEDATETIME,
    KL_COLUMNCOUNT
};

// The names of those columns, in that order: all of CSB022 but BGIMGTHEME,
// OPERATIONMODE and DISPMODE.
const QStringList& KeyLayoutColumnNames();
// Every column of CSB022, in table order, as the save writes them.
const QStringList& Csb022ColumnNames();

} // namespace kesmond
