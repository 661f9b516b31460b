select * from config_operation where config_id=:id1 and type_operation_msl_id=:id2
