insert into RegMslBrak (RegMsl_id,electro_id) values (:id1,:id2)
